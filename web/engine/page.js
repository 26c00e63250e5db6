// SPDX-License-Identifier: GPL-3.0-or-later
// The DOM operations and event hook-up of the web form engine, as an
// emscripten library. The form's elements are on the page already; the
// engine decides everything, and this file only carries it out and passes
// events back to it, the events the loader kept before it was ready too,
// and the bytes of a file dropped on the page or named by its address.
mergeInto(LibraryManager.library, {
  $Page__deps: ['malloc', 'free'],
  $Page: {
    elements: [],
    events: [],          // per element: 1 clicks, 2 keys and text input
    shortcuts: [],       // the DOM names of the keys that are shortcuts
    // A string on the wasm stack for the call in progress: the caller
    // saves the stack before and restores it after, so a key leaves no
    // garbage behind.
    string: function (text) {
      const size = (text.length << 2) + 1;
      const pointer = stackAlloc(size);
      stringToUTF8(text, pointer, size);
      return pointer;
    },
    // Calls an entry point with strings on the stack, and numbers after them.
    call: function (entry, id, texts, numbers) {
      const top = stackSave();
      const pointers = texts.map(Page.string);
      entry.apply(null, (id === null ? [] : [id]).concat(pointers, numbers || []));
      stackRestore(top);
    },
    // The events of an element with the engine's number, live or kept.
    on: {
      click: function (id, e) {
        if (e.button === 0) _galgen_click(id, e.detail);
      },
      // The DOM's own flags; the engine makes the form core's modifiers of them.
      keydown: function (id, e) {
        Page.call(_galgen_key_down, id, [e.key], [e.altKey, e.ctrlKey, e.metaKey, e.getModifierState('AltGraph'),
          e.isComposing || e.keyCode === 229].map(Number));
      },
      keyup: function (id) { _galgen_key_up(id); },
      // Both input events: some ways of inserting text (execCommand in
      // Firefox, say) send only the one after the change.
      beforeinput: function (id, e) { Page.call(_galgen_before_input, id, [e.inputType, e.data || '']); },
      input: function (id, e) { Page.call(_galgen_input, id, [e.inputType || '', e.data || '']); },
      compositionend: function (id, e) { Page.call(_galgen_composition_end, id, [e.data || '']); },
    },
    shortcut: function (e) {
      if (!Page.shortcuts.includes(e.key) || e.altKey || e.ctrlKey || e.metaKey || e.shiftKey
          || !document.getElementById('form')) return;
      e.preventDefault();
      Page.call(_galgen_shortcut, null, [e.key]);
    },
    // Files reach the engine as bytes, at most this many of them.
    fileLimit: 0,
    carriesFiles: function (e) {
      return e.dataTransfer !== null && Array.prototype.indexOf.call(e.dataTransfer.types, 'Files') >= 0;
    },
    dragover: function (e) {
      if (!Page.carriesFiles(e)) return;
      e.preventDefault();
      e.dataTransfer.dropEffect = 'copy';
    },
    drop: function (e) {
      if (!Page.carriesFiles(e)) return;
      e.preventDefault();
      const file = e.dataTransfer.files[0];
      const item = e.dataTransfer.items && e.dataTransfer.items[0];
      const entry = item && item.webkitGetAsEntry ? item.webkitGetAsEntry() : null;
      if (entry && entry.isDirectory) Page.deliver(entry.name, null, 'folder', '');
      else if (file) Page.readFile(file);
    },
    readFile: function (file) {
      file.slice(0, Page.fileLimit).arrayBuffer().then(function (bytes) {
        Page.deliver(file.name, new Uint8Array(bytes), '', '');
      }, function (error) {
        Page.deliver(file.name, null, 'unreadable', error.name);
      });
    },
    // The first `limit` bytes of a response's body; the rest is not fetched.
    readBody: function (body, limit) {
      const reader = body.getReader();
      const bytes = new Uint8Array(limit);
      let size = 0;
      function next() {
        return reader.read().then(function (chunk) {
          if (chunk.done) return bytes.slice(0, size);
          const part = chunk.value.subarray(0, limit - size);
          bytes.set(part, size);
          size += part.length;
          if (size < limit) return next();
          reader.cancel();
          return bytes;
        });
      }
      return next();
    },
    // The file that `value` names, if it lies in the page's folder or below
    // it: resolved as the browser resolves it, before anything is fetched.
    fetchFile: function (value) {
      const folder = new URL('./', location.href).pathname;
      let url = null;
      try {
        url = new URL(value, location.href);
      } catch (e) {
        url = null;
      }
      if (url === null || url.origin !== location.origin || !url.pathname.startsWith(folder)
          || /%2f|%5c/i.test(url.pathname)) {
        Page.deliver(value, null, 'refused', '');
        return;
      }
      // Text: the service worker keeps such a file for offline play.
      fetch(url.href, { headers: { Accept: 'text/plain' } }).then(function (response) {
        if (response.status === 404) return Page.deliver(value, null, 'missing', '');
        if (!response.ok) return Page.deliver(value, null, 'unfetched', 'HTTP ' + response.status);
        return Page.readBody(response.body, Page.fileLimit).then(function (bytes) {
          Page.deliver(value, bytes, '', '');
        });
      }, function () {
        Page.deliver(value, null, 'unfetched', 'keine Verbindung');
      });
    },
    // Hands a file to the engine: its bytes on the heap for the call.
    deliver: function (name, bytes, fault, detail) {
      const data = bytes && bytes.length > 0 ? _malloc(bytes.length) : 0;
      if (data) HEAPU8.set(bytes, data);
      const top = stackSave();
      _galgen_file(Page.string(name.slice(0, 200)), data, data ? bytes.length : 0, Page.string(fault), Page.string(detail));
      stackRestore(top);
      if (data) _free(data);
    },
    // The events the loader kept (loader.js), as the listeners would have
    // taken them now, in their order. A mouse click goes to whatever lies
    // where it was made now (a round that an earlier click started covers
    // the "?"), any other event where it was made. A text box's edits are
    // made again in their place among the events: the box is first set
    // back to its text before them, unless the engine has changed it since.
    replayAll: function (records) {
      const edited = new Map();   // box -> [text before the first edit, after the last]
      records.forEach(function (r) {
        if ('after' in r) edited.set(r.event.target, [(edited.get(r.event.target) || [r.before])[0], r.after]);
      });
      edited.forEach(function (texts, box) { if (box.value === texts[1]) box.value = texts[0]; });
      records.forEach(Page.replay);
    },
    // A file kept from before reaches the engine as dropped now.
    replay: function (record) {
      if (record.drop) {
        Page.readFile(record.drop);
        return;
      }
      const e = record.event;
      if (e.type === 'keydown') Page.shortcut(e);
      if ('after' in record) Page.edit(e.target, record);
      const target = e.type === 'click' && e.detail > 0 ? document.elementFromPoint(e.clientX, e.clientY) : e.target;
      const element = target instanceof Element ? target.closest('[data-name]') : null;
      const id = Page.elements.indexOf(element);
      const wanted = e.type === 'click' ? 1 : 2;
      if (id >= 0 && (Page.events[id] & wanted) && Page.on[e.type]) Page.on[e.type](id, e);
    },
    // An edit kept: the text and caret it gave, where the box holds the
    // text it was made on; else the same text inserted or deleted at the
    // caret, as a key would now.
    edit: function (box, record) {
      if (!box.isConnected) return;
      if (box.value === record.before) {
        box.value = record.after;
        box.setSelectionRange(record.selection[0], record.selection[1]);
        return;
      }
      const before = record.before, after = record.after;
      let same = 0;
      while (same < before.length && same < after.length && before[same] === after[same]) ++same;
      let tail = 0;
      while (tail < before.length - same && tail < after.length - same
             && before[before.length - 1 - tail] === after[after.length - 1 - tail]) ++tail;
      const removed = before.length - same - tail;
      const start = box.selectionStart, end = box.selectionEnd;
      box.setRangeText(after.slice(same, after.length - tail), start === end ? Math.max(0, start - removed) : start,
        end, 'end');
    },
  },

  page_adopt__deps: ['$Page'],
  page_adopt: function (id, name) {
    Page.elements[id] = document.querySelector('#form [data-name="' + UTF8ToString(name) + '"]');
  },

  // A text the element has already is left alone: the start screen the
  // engine takes over shows its texts already, and a new text node would
  // be painted anew.
  page_text__deps: ['$Page'],
  page_text: function (id, text) {
    const element = Page.elements[id];
    const property = element.tagName === 'INPUT' ? 'value' : 'textContent';
    text = UTF8ToString(text);
    if (element[property] !== text) element[property] = text;
  },

  page_hidden__deps: ['$Page'],
  page_hidden: function (id, hidden) {
    // setAttribute, since SVG elements have no hidden property.
    if (hidden) Page.elements[id].setAttribute('hidden', '');
    else Page.elements[id].removeAttribute('hidden');
  },

  // The listeners come with page_ready: until then the loader keeps the
  // events.
  page_listen__deps: ['$Page'],
  page_listen: function (id, events) {
    Page.events[id] = events;
  },

  page_shortcut__deps: ['$Page'],
  page_shortcut: function (key) {
    Page.shortcuts.push(UTF8ToString(key));
  },

  page_focus__deps: ['$Page'],
  // As the page's own script gives it (loader.js).
  page_focus: function (id, unlessTaken) {
    if (unlessTaken && document.getElementById('form').contains(document.activeElement)) return;
    window.galgenLoader.focus(Page.elements[id]);
  },

  page_load_later: function () {
    setTimeout(function () { _galgen_load(); }, 0);
  },

  // The engine listens from here on, and the loader stops keeping events,
  // at once. The kept events reach the engine once its start has returned,
  // since one of them may end the game and discard the form ("Ende"); the
  // form, if it is still there, is then marked ready.
  page_ready__deps: ['$Page'],
  page_ready: function () {
    Page.events.forEach(function (events, id) {
      const types = (events & 1 ? ['click'] : [])
        .concat(events & 2 ? ['keydown', 'keyup', 'beforeinput', 'input', 'compositionend'] : []);
      types.forEach(function (type) {
        Page.elements[id].addEventListener(type, function (e) { Page.on[type](id, e); });
      });
    });
    if (Page.shortcuts.length) document.addEventListener('keydown', Page.shortcut, true);
    const kept = window.galgenLoader ? window.galgenLoader.ready() : [];
    queueMicrotask(function () {
      Page.replayAll(kept);
      const form = document.getElementById('form');
      if (form) form.dataset.ready = '';
    });
  },

  // The live region is emptied, so that it holds nothing of the game, and
  // then tells what the note says. The note has the page's heading, since
  // the form's goes with the form.
  page_unload__deps: ['$Page'],
  page_unload: function () {
    document.getElementById('form').parentElement.remove();
    Page.elements = [];
    const note = document.getElementById('ended');
    note.hidden = false;
    const status = document.getElementById('status');
    status.replaceChildren();
    const line = document.createElement('p');
    line.textContent = note.querySelector('p').firstChild.textContent.trim();
    status.appendChild(line);
    const link = note.querySelector('a');
    if (link) link.focus();
  },

  page_report_error: function (message) {
    window.galgenLoader.showError(UTF8ToString(message));
  },

  // The loader keeps the drops that come before the engine is ready, and
  // lets none through to these listeners until then.
  page_accept_files__deps: ['$Page'],
  page_accept_files: function (limit) {
    Page.fileLimit = limit;
    document.addEventListener('dragover', Page.dragover);
    document.addEventListener('drop', Page.drop);
  },

  page_fetch_parameter__deps: ['$Page'],
  page_fetch_parameter: function (parameter, limit) {
    Page.fileLimit = limit;
    const value = new URLSearchParams(location.search).get(UTF8ToString(parameter));
    if (value) Page.fetchFile(value);
  },

  // A new element for every message, so that screen readers announce a
  // message again even when it repeats the one before.
  page_announce: function (text) {
    const line = document.createElement('p');
    line.textContent = UTF8ToString(text);
    document.getElementById('status').replaceChildren(line);
  },
});
