// SPDX-License-Identifier: GPL-3.0-or-later
// Runs first, before the module is compiled: starts decoding the fonts of
// the start screen while the wasm compiles, rather than after the form is
// built. The word box's font shows only once a round starts, so it loads
// once the start screen has its fonts and has been painted.
if (typeof document !== 'undefined' && document.fonts) {
  ['400 11px "Liberation Sans"', '700 11px "Liberation Sans"']
    .forEach(function (font) { document.fonts.load(font); });
  document.fonts.ready.then(function () {
    requestAnimationFrame(function () {
      setTimeout(function () { document.fonts.load('700 11px "DejaVu Sans"'); }, 0);
    });
  });
}
