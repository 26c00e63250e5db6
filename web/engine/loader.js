// SPDX-License-Identifier: GPL-3.0-or-later
// The page's own script, inline in its head, so that it runs before the
// form can be painted. The start screen is in the page already, and this
// keeps it working until the engine takes over: it keeps every event that
// comes before the engine is ready, so that none is lost; it keeps the
// focus where a desktop would and fits the form to a narrow viewport;
// once the start screen is painted it starts the module; it shows every
// run-time error and anything uncaught in the page's error dialog, and
// registers the service worker that keeps the game for offline play. A
// file dropped on the page before then is kept for the engine too, and so
// is a right click on the form.
(function () {
  'use strict';

  function showError(message) {
    const dialog = document.getElementById('error');
    if (!dialog) {
      console.error(message);
      return;
    }
    dialog.querySelector('.message').textContent = message;
    if (!dialog.open) dialog.showModal();
  }
  // Anything uncaught is an internal error, in the runtime's own words,
  // which the page holds with "{}" for the detail.
  function showInternal(detail) {
    const dialog = document.getElementById('error');
    showError(dialog ? dialog.dataset.internal.replace('{}', function () { return detail; }) : detail);
  }
  function closeError() {
    const dialog = document.getElementById('error');
    if (dialog && dialog.open) dialog.close();
  }
  window.addEventListener('error', function (e) { showInternal(e.message || 'unbekannt'); });
  window.addEventListener('unhandledrejection', function (e) {
    showInternal(String(e.reason && e.reason.message || e.reason));
  });

  // The events before the engine is ready, in their order. A text box
  // changes at once as the player types; the engine is told of each edit
  // with the value before and after it, so that it can make the edit again
  // in its place among the events (page.js).
  const types = ['click', 'keydown', 'keyup', 'beforeinput', 'input', 'compositionend'];
  const kept = [];
  const edited = new Map();   // text box -> its value after the last edit kept
  function keep(e) {
    const record = { event: e };
    const box = e.target;
    if (e.type === 'input' && box instanceof HTMLInputElement) {
      record.before = edited.has(box) ? edited.get(box) : box.defaultValue;
      record.after = box.value;
      record.selection = [box.selectionStart, box.selectionEnd];
      edited.set(box, box.value);
    }
    if (e.type === 'keydown') shortcut(e);
    kept.push(record);
  }
  types.forEach(function (type) { document.addEventListener(type, keep, true); });

  // The focus as the form gives it, the engine's too (page.js): shown, as
  // after tabbing there, and where it moves into a text box, the caret at
  // the end of the text, where the desktop's box keeps it.
  function focus(control) {
    const moves = document.activeElement !== control;
    control.focus({ focusVisible: true });
    if (moves && control instanceof HTMLInputElement) control.setSelectionRange(control.value.length, control.value.length);
  }

  // A key with its modifiers as the form's shortcuts name it: "F2",
  // "Control+O", "Shift+F10".
  function keyName(e) {
    return (e.ctrlKey ? 'Control+' : '') + (e.altKey ? 'Alt+' : '') + (e.shiftKey ? 'Shift+' : '')
      + (e.metaKey ? 'Meta+' : '') + (/^[a-z]$/.test(e.key) ? e.key.toUpperCase() : e.key);
  }

  // A key the form takes anywhere (the menu's data-keys) is the game's, not
  // the browser's (Control+O opens no page). A control's shortcut moves the
  // focus to its control (the markup's data-shortcut) at once, as the
  // engine does when it takes the key, so that the keys after it go where
  // they will go then; the engine does the rest when it gets the key.
  function shortcut(e) {
    const menu = document.getElementById('menu');
    const name = keyName(e);
    if (!menu || menu.dataset.keys.split(' ').indexOf(name) < 0) return;
    e.preventDefault();
    const control = document.querySelector('#form [data-shortcut="' + CSS.escape(name) + '"]');
    if (control) focus(control);
  }

  // A press on the form outside the controls that take the focus (the
  // markup's data-focusable) leaves the focus where it is, as on the
  // desktop: keys still reach the "?" box.
  document.addEventListener('mousedown', function (e) {
    if (e.target.closest('#form') && !e.target.closest('[data-focusable]')) e.preventDefault();
  }, true);

  // The form's menu, not the browser's, on the form: kept for the engine.
  function keepMenu(e) {
    if (!(e.target instanceof Element) || !e.target.closest('#form')) return;
    e.preventDefault();
    kept.push({ event: e });
  }
  document.addEventListener('contextmenu', keepMenu);

  // A file dropped on the page is for the game, never a page to open in its
  // place; until the engine is ready, the file is kept for it and the
  // engine's own listeners see no drop.
  function keepDrop(e) {
    e.preventDefault();
    e.stopImmediatePropagation();
    const files = e.dataTransfer ? e.dataTransfer.files : [];
    if (e.type === 'drop' && files.length > 0) kept.push({ drop: files[0] });
  }
  const drags = ['dragover', 'drop'];
  drags.forEach(function (type) { document.addEventListener(type, keepDrop); });

  window.galgenLoader = {
    showError: showError,
    closeError: closeError,
    focus: focus,
    keyName: keyName,
    // The engine is ready and listens itself: it gets the kept events.
    ready: function () {
      types.forEach(function (type) { document.removeEventListener(type, keep, true); });
      drags.forEach(function (type) { document.removeEventListener(type, keepDrop); });
      document.removeEventListener('contextmenu', keepMenu);
      return kept.splice(0);
    },
  };

  document.addEventListener('DOMContentLoaded', function () {
    const form = document.getElementById('form');
    // One CSS pixel per layout pixel, or uniformly smaller where the
    // viewport is narrower than the form. Only a change is written: a
    // write would have the start screen's style and layout done again
    // before its first paint.
    const width = form.offsetWidth, height = form.offsetHeight;
    function fit() {
      const scale = Math.min(1, window.innerWidth / width);
      const transform = scale < 1 ? 'scale(' + scale + ')' : '';
      const stage = scale < 1 ? (height * scale) + 'px' : '';
      if (form.style.transform !== transform) form.style.transform = transform;
      if (form.parentElement.style.height !== stage) form.parentElement.style.height = stage;
    }
    fit();
    window.addEventListener('resize', fit);

    // Nothing but the start screen itself comes before its first paint:
    // the module follows it, and then what a round needs later. The
    // browser's own word that it has painted is what counts; a frame's
    // callbacks come before its paint. Where a browser keeps that word to
    // itself, or never paints (a page opened behind others), two frames or
    // two seconds stand in for it.
    let started = false;
    function start() {
      if (started) return;
      started = true;
      const module = document.createElement('script');
      module.src = form.dataset.module;
      module.onload = afterModule;
      module.onerror = function () { showError('Laufzeitfehler: Das Spiel konnte nicht geladen werden.'); };
      document.body.appendChild(module);
    }
    document.fonts.ready.then(function () {
      const types = window.PerformanceObserver && PerformanceObserver.supportedEntryTypes;
      if (types && types.indexOf('paint') >= 0) {
        new PerformanceObserver(function (list, observer) {
          if (!list.getEntriesByName('first-contentful-paint').length) return;
          observer.disconnect();
          setTimeout(start, 0);
        }).observe({ type: 'paint', buffered: true });
      } else {
        requestAnimationFrame(function () { requestAnimationFrame(function () { setTimeout(start, 0); }); });
      }
      setTimeout(start, 2000);
    });
  });

  // Once the module's script is there, each in a task of its own, so that
  // none holds the page up: the pictures of the gallows, which show only
  // during a round; the manifest, which a browser fetches as soon as it
  // sees it, and with nothing else to wait for that would be before the
  // first paint; and the service worker, which fetches every file of the
  // build for the cache.
  // The first of them too: the script's load event comes in the task that
  // ran the script.
  function afterModule() {
    const steps = [pictures, manifest, keepForOffline];
    (function next() {
      setTimeout(function () {
        steps.shift()();
        if (steps.length) next();
      }, 0);
    }());
  }
  function pictures() {
    document.querySelectorAll('#form img[loading=lazy]').forEach(function (img) { img.loading = 'eager'; });
  }
  function manifest() {
    const link = document.createElement('link');
    link.rel = 'manifest';
    link.href = 'manifest.webmanifest';
    document.head.appendChild(link);
  }
  // A registration that exists already checks for a new release only now
  // and then; every visit asks, so that a release is kept for the next one.
  // Offline that check fails, which is no fault: the release kept plays on.
  function keepForOffline() {
    if (!('serviceWorker' in navigator) || location.protocol === 'file:') return;
    navigator.serviceWorker.register('sw.js').then(function (registration) {
      registration.update().catch(function (e) {
        console.info('Nicht nach einer neuen Version gesehen: ' + e.message);
      });
    }, function (e) {
      console.warn('Ohne Offline-Spiel: ' + e);
    });
  }
}());
