// SPDX-License-Identifier: GPL-3.0-or-later
// Runs first, before the module is compiled: starts decoding the preloaded
// fonts while the wasm compiles, rather than after the form is built.
if (typeof document !== 'undefined' && document.fonts) {
  ['400 11px "Liberation Sans"', '700 11px "Liberation Sans"', '700 11px "DejaVu Sans"']
    .forEach(function (font) { document.fonts.load(font); });
}
