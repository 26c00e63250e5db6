// SPDX-License-Identifier: GPL-3.0-or-later
// The page's own script, before the module: the start screen is on the page
// already, and this keeps it working until the engine takes over. It fits
// the form to a narrow viewport, keeps the focus where a desktop would,
// keeps the events that come before the engine is ready so that none is
// lost, a file dropped on the page too, starts the module once the start
// screen is painted, shows every run-time error and anything uncaught in
// the page's error dialog, and registers the service worker that keeps the
// game for offline play.
(function () {
  'use strict';
  const form = document.getElementById('form');
  const dialog = document.getElementById('error');

  function showError(message) {
    dialog.querySelector('.message').textContent = message;
    if (!dialog.open) dialog.showModal();
  }

  // One CSS pixel per layout pixel, or uniformly smaller where the viewport
  // is narrower than the form.
  const width = form.offsetWidth, height = form.offsetHeight;
  function fit() {
    const scale = Math.min(1, window.innerWidth / width);
    form.style.transform = scale < 1 ? 'scale(' + scale + ')' : '';
    form.parentElement.style.height = (height * scale) + 'px';
  }
  fit();
  window.addEventListener('resize', fit);

  // A press outside the controls that take the focus leaves the focus where
  // it is, as on the desktop: keys still reach the "?" box.
  form.addEventListener('mousedown', function (e) {
    if (!e.target.closest('button:enabled, input:not([aria-disabled=true])')) e.preventDefault();
  });

  const types = ['click', 'keydown', 'keyup', 'beforeinput', 'input', 'compositionend'];
  const early = [];
  function keep(e) { early.push(e); }
  types.forEach(function (type) { document.addEventListener(type, keep, true); });

  // A file dropped on the page is for the game, never a page to open in its
  // place; until the engine is ready, the file is kept for it and the
  // engine's own listeners see no drop.
  function keepDrop(e) {
    e.preventDefault();
    e.stopImmediatePropagation();
    const files = e.dataTransfer ? e.dataTransfer.files : [];
    if (e.type === 'drop' && files.length > 0) early.push({ type: 'drop', file: files[0] });
  }
  const drags = ['dragover', 'drop'];
  drags.forEach(function (type) { document.addEventListener(type, keepDrop); });

  window.addEventListener('error', function (e) {
    showError('Laufzeitfehler: Interner Fehler (' + (e.message || 'unbekannt') + ')');
  });
  window.addEventListener('unhandledrejection', function (e) {
    showError('Laufzeitfehler: Interner Fehler (' + String(e.reason && e.reason.message || e.reason) + ')');
  });

  window.galgenLoader = {
    showError: showError,
    // The engine is ready: it gets the kept events, in their order.
    ready: function () {
      types.forEach(function (type) { document.removeEventListener(type, keep, true); });
      drags.forEach(function (type) { document.removeEventListener(type, keepDrop); });
      return early.splice(0);
    },
  };

  // Nothing but the start screen itself comes before its first paint: the
  // module follows it.
  document.fonts.ready.then(function () {
    requestAnimationFrame(function () {
      setTimeout(function () {
        const module = document.createElement('script');
        module.src = form.dataset.module;
        module.onerror = function () { showError('Laufzeitfehler: Das Spiel konnte nicht geladen werden.'); };
        document.body.appendChild(module);
      }, 0);
    });
  });

  // The pictures of the gallows show only during a round: they load once
  // the start screen is there, not before.
  window.addEventListener('load', function () {
    form.querySelectorAll('img[loading=lazy]').forEach(function (img) { img.loading = 'eager'; });
  });

  if ('serviceWorker' in navigator && location.protocol !== 'file:') {
    window.addEventListener('load', function () {
      // A registration that exists already checks for a new release only
      // now and then; every visit asks, so that a release is kept for the
      // next one.
      navigator.serviceWorker.register('sw.js').then(function (registration) {
        return registration.update();
      }).catch(function (e) {
        console.warn('Ohne Offline-Spiel: ' + e);
      });
    });
  }
}());
