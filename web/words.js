// SPDX-License-Identifier: GPL-3.0-or-later
// The page's dialog for typing a list of own words (#type-file), as an
// emscripten library beside the web form engine. The game's list reader, in
// the module, names the faults while the player types, in the same German
// words as for a file; they are shown as text, never as markup. The dialog
// plays the list as a dropped file, copies a link that carries it, opens a
// file into it, and brings back the game's own words through the form's
// menu.
mergeInto(LibraryManager.library, {
  $Words__deps: ['malloc', 'free'],
  $Words: {
    limit: 0,
    shown: null,   // the faults shown, as one text
    timer: 0,
    at: function (id) { return document.getElementById(id); },
    // Calls an entry point with the text on the heap: a list may be large.
    withText: function (entry, text) {
      const size = lengthBytesUTF8(text) + 1;
      const pointer = _malloc(size);
      stringToUTF8(text, pointer, size);
      try {
        return entry(pointer);
      } finally {
        _free(pointer);
      }
    },
    showFaults: function (faults) {
      if (faults === Words.shown) return;
      Words.shown = faults;
      Words.at('type-file-faults').replaceChildren.apply(Words.at('type-file-faults'),
        faults.split('\n').filter(Boolean).map(function (fault) {
          const item = document.createElement('li');
          item.textContent = fault;
          return item;
        }));
    },
    // Checked once the player pauses, so that a long list is not read at
    // every key; a blank text has nothing to say yet.
    check: function () {
      clearTimeout(Words.timer);
      const text = Words.at('type-file-text').value;
      Words.showFaults(text.trim() ? Words.withText(function (p) { return UTF8ToString(_galgen_words_faults(p)); }, text) : '');
    },
    later: function () {
      clearTimeout(Words.timer);
      Words.timer = setTimeout(Words.check, 150);
    },
    say: function (note) { Words.at('type-file-note').textContent = note; },
    // A file into the text area, read as a list file is read.
    openFile: function () {
      const input = document.createElement('input');
      input.type = 'file';
      input.accept = Words.at('file-choice').accept;
      input.addEventListener('change', function () {
        const file = input.files[0];
        if (!file) return;
        file.slice(0, Words.limit).arrayBuffer().then(function (buffer) {
          const bytes = new Uint8Array(buffer);
          const pointer = _malloc(Math.max(1, bytes.length));
          HEAPU8.set(bytes, pointer);
          const answer = UTF8ToString(_galgen_words_text(pointer, bytes.length));
          _free(pointer);
          if (answer[0] === 'T') {
            Words.at('type-file-text').value = answer.slice(1);
            Words.check();
          } else {
            Words.showFaults(answer.slice(1));
          }
        });
      });
      input.click();
    },
    play: function () {
      Words.check();
      const text = Words.at('type-file-text').value;
      if (Words.withText(_galgen_words_play, text) === 1) Words.at('type-file').close();
    },
    // The game's address with the list in its fragment, which no server
    // sees. Where the clipboard cannot be written (a classroom's own
    // network over http), the link shows selected, ready to copy.
    link: function () {
      Words.check();
      const fragment = Words.withText(function (p) { return UTF8ToString(_galgen_words_link(p)); },
        Words.at('type-file-text').value);
      if (!fragment) return;
      const url = new URL(location.href);
      url.search = '';
      url.hash = fragment;
      const field = Words.at('type-file-link');
      field.value = url.href;
      field.hidden = false;
      const selected = function () {
        field.focus();
        field.select();
        Words.say(document.execCommand && document.execCommand('copy') ? 'Link kopiert.'
          : 'Der Link ist markiert und kann kopiert werden.');
      };
      if (navigator.clipboard && window.isSecureContext) {
        navigator.clipboard.writeText(url.href).then(function () { Words.say('Link kopiert.'); }, selected);
      } else {
        selected();
      }
    },
    builtIn: function () {
      Words.at('type-file').close();
      document.querySelector('#menu [data-name="spielwoerter"]').click();
    },
  },

  words_attach__deps: ['$Words'],
  words_attach: function (limit) {
    Words.limit = limit;
    const dialog = Words.at('type-file');
    const text = Words.at('type-file-text');
    if (!dialog) return;
    text.addEventListener('input', Words.later);
    const actions = { open: Words.openFile, play: Words.play, link: Words.link, builtin: Words.builtIn,
      cancel: function () { dialog.close(); } };
    dialog.querySelector('.buttons').addEventListener('click', function (e) {
      const button = e.target.closest('[data-do]');
      if (button) actions[button.dataset.do]();
    });
    // In the dialog, Control+O opens a file into it.
    dialog.addEventListener('keydown', function (e) {
      if (e.ctrlKey && !e.altKey && !e.metaKey && (e.key === 'o' || e.key === 'O')) {
        e.preventDefault();
        Words.openFile();
      }
    });
    // Each opening starts with what was typed before, checked, and no link.
    dialog.addEventListener('focusin', function () {
      if (dialog.dataset.fresh === undefined) return;
      delete dialog.dataset.fresh;
      Words.check();
    });
    // The close event comes in a task of its own: the dialog may be open
    // again by then.
    dialog.addEventListener('close', function () {
      if (dialog.open) return;
      dialog.dataset.fresh = '';
      Words.at('type-file-link').hidden = true;
      Words.say('');
    });
    dialog.dataset.fresh = '';
    // Beside the form, the way in on a touch screen: the menu's entry.
    Words.at('type-file-button').addEventListener('click', function () {
      document.querySelector('#menu [data-action=type-file]').click();
    });
  },
});
