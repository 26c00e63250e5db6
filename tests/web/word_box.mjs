// SPDX-License-Identifier: GPL-3.0-or-later
// The word box shows the longest word a word list may hold whole, in every
// browser, in every letter a word may have; one of the widest letter more
// would not fit. The length and the letters are the game's own, as the
// build writes them out with the form's facts; the widths are the
// browser's, laid out in the box's own font.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { resolve } from 'node:path';
import { describe, test } from 'node:test';
import { buildDir, openGame } from './browser.mjs';

const { longestWord: longest, letters } = JSON.parse(readFileSync(resolve(buildDir, 'web/markup/facts.json'), 'utf8'));

// In the page: the width the box has for text, and that of each letter
// written `length` times in the box's font, the widest last.
async function measure(letters, length) {
  const box = document.querySelector('[data-name=Fragewort]');
  const style = getComputedStyle(box);
  const px = (property) => parseFloat(style.getPropertyValue(property));
  const room = px('width') - px('border-left-width') - px('border-right-width') - px('padding-left')
    - px('padding-right');
  await document.fonts.load(`${style.fontWeight} ${style.fontSize} ${style.fontFamily}`);
  const probe = document.createElement('span');
  probe.style.font = style.font;
  probe.style.whiteSpace = 'pre';
  probe.style.position = 'absolute';
  document.getElementById('form').appendChild(probe);
  const width = (text) => {
    probe.textContent = text;
    return probe.getBoundingClientRect().width;
  };
  const words = [...letters].map((letter) => ({ letter, width: width(letter.repeat(length)) }))
    .sort((a, b) => a.width - b.width);
  const widest = words[words.length - 1];
  const oneMore = width(widest.letter.repeat(length + 1));
  probe.remove();
  return { room, widest, oneMore };
}

export function wordBoxTests(session) {
  describe('the word box', () => {
    test(`shows a word of ${longest} letters whole, the widest too, and one letter more no longer`, async () => {
      const game = await openGame(session());
      try {
        const { room, widest, oneMore } = await game.evaluate(measure, letters, longest);
        assert.equal(widest.letter, 'W');
        assert.ok(widest.width <= room, `${longest} × W: ${widest.width} px of ${room}`);
        assert.ok(oneMore > room, `${longest + 1} × W: ${oneMore} px of ${room}`);
      } finally {
        await game.close();
      }
    });
  });
}
