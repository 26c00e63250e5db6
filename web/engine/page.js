// SPDX-License-Identifier: GPL-3.0-or-later
// The DOM operations and event hook-up of the web form engine, as an
// emscripten library. The engine decides every control's element, place and
// look; this file only carries that out and passes events back to it.
mergeInto(LibraryManager.library, {
  $Page: {
    elements: [],
    ground: function () { return document.getElementById('form'); },
    // Keeps the whole form in view: one CSS pixel per layout pixel, or
    // uniformly smaller where the viewport is narrower than the form.
    // The form's size is known, and the viewport's width is read without
    // a layout, so that the start does not wait for one; a scroll bar that
    // takes part of that width is not expected, since the page is never
    // taller than the form.
    width: 0,
    height: 0,
    fit: function () {
      const form = Page.ground();
      if (!form) return;
      const scale = Math.min(1, window.innerWidth / Page.width);
      form.style.transform = scale < 1 ? 'scale(' + scale + ')' : '';
      form.parentElement.style.height = (Page.height * scale) + 'px';
    },
    // A string on the wasm stack for the call in progress: the caller
    // saves the stack before and restores it after, so a key leaves no
    // garbage behind.
    string: function (text) {
      const size = (text.length << 2) + 1;
      const pointer = stackAlloc(size);
      stringToUTF8(text, pointer, size);
      return pointer;
    },
    // Passes an input event's kind and text to that entry point.
    insertion: function (entry, id, e) {
      const top = stackSave();
      entry(id, Page.string(e.inputType || ''), Page.string(e.data || ''));
      stackRestore(top);
    },
  },

  page_create__deps: ['$Page'],
  page_create: function (id, parent, tag) {
    tag = UTF8ToString(tag);
    const svg = tag === 'svg' || tag === 'line';
    const element = svg ? document.createElementNS('http://www.w3.org/2000/svg', tag)
                        : document.createElement(tag);
    (parent < 0 ? Page.ground() : Page.elements[parent]).appendChild(element);
    Page.elements[id] = element;
  },

  page_style__deps: ['$Page'],
  page_style: function (id, declarations) {
    Page.elements[id].style.cssText += UTF8ToString(declarations);
  },

  page_attribute__deps: ['$Page'],
  page_attribute: function (id, name, value) {
    Page.elements[id].setAttribute(UTF8ToString(name), UTF8ToString(value));
  },

  page_text__deps: ['$Page'],
  page_text: function (id, text) {
    const element = Page.elements[id];
    if (element.tagName === 'INPUT') element.value = UTF8ToString(text);
    else element.textContent = UTF8ToString(text);
  },

  page_hidden__deps: ['$Page'],
  page_hidden: function (id, hidden) {
    // setAttribute, since SVG elements have no hidden property.
    if (hidden) Page.elements[id].setAttribute('hidden', '');
    else Page.elements[id].removeAttribute('hidden');
  },

  page_listen__deps: ['$Page'],
  page_listen: function (id, events) {
    const element = Page.elements[id];
    if (events & 1) {
      element.addEventListener('click', function (e) {
        if (e.button === 0) _galgen_click(id, e.detail);
      });
    }
    if (events & 2) {
      element.addEventListener('keydown', function (e) {
        const modifiers = (e.altKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.metaKey ? 4 : 0)
          | (e.getModifierState('AltGraph') ? 8 : 0) | (e.isComposing || e.keyCode === 229 ? 16 : 0);
        const top = stackSave();
        _galgen_key_down(id, Page.string(e.key), modifiers);
        stackRestore(top);
      });
      element.addEventListener('keyup', function () {
        _galgen_key_up(id);
      });
      // An insertion comes as beforeinput and input; text that a script or
      // a tool inserts may come as input alone (Firefox). The engine takes
      // each insertion once.
      element.addEventListener('beforeinput', function (e) {
        Page.insertion(_galgen_before_input, id, e);
      });
      element.addEventListener('input', function (e) {
        Page.insertion(_galgen_input, id, e);
      });
      element.addEventListener('compositionend', function (e) {
        const top = stackSave();
        _galgen_composition_end(id, Page.string(e.data || ''));
        stackRestore(top);
      });
    }
  },

  page_focus__deps: ['$Page'],
  // The focus a form gives when it opens shows, as after tabbing there.
  page_focus: function (id) {
    Page.elements[id].focus({ focusVisible: true });
  },

  page_begin__deps: ['$Page'],
  page_begin: function (title) {
    document.title = UTF8ToString(title);
    const form = Page.ground();
    Page.elements[-1] = form;
    Page.elements[-2] = document.documentElement;
    // A press outside the controls that take the focus leaves the focus
    // where it is, as on the desktop: keys still reach the "?" box.
    form.addEventListener('mousedown', function (e) {
      if (!e.target.closest('button:enabled, input:not([aria-disabled=true])')) e.preventDefault();
    });
    window.addEventListener('resize', Page.fit);
  },

  page_fit__deps: ['$Page'],
  page_fit: function (width, height) {
    Page.width = width;
    Page.height = height;
    Page.fit();
  },

  page_unload__deps: ['$Page'],
  page_unload: function () {
    Page.ground().parentElement.remove();
    Page.elements = [];
    const note = document.getElementById('ended');
    note.hidden = false;
    const link = note.querySelector('a');
    if (link) link.focus();
  },

  page_report_error: function (message) {
    const dialog = document.getElementById('error');
    dialog.querySelector('.message').textContent = UTF8ToString(message);
    if (!dialog.open) dialog.showModal();
  },

  // A new element for every message, so that screen readers announce a
  // message again even when it repeats the one before.
  page_announce: function (text) {
    const line = document.createElement('p');
    line.textContent = UTF8ToString(text);
    document.getElementById('status').replaceChildren(line);
  },
});
