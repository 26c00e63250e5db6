// SPDX-License-Identifier: GPL-3.0-or-later
// The page's dialog for typing a list of own words, in one browser engine:
// opened by the button beside the form, its text area asking for no
// correction, its faults named while the player types, in the words of a
// file's message and as text; the list played, and a link to it.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';
import { openGame } from './browser.mjs';

// In the page: the faults the dialog lists, or its note, once they are
// `want` (or after two seconds, whatever they are).
function shownOnce(what, want) {
  const read = what === 'faults'
    ? () => [...document.querySelectorAll('#type-file-faults li')].map((li) => li.textContent)
    : () => document.getElementById('type-file-note').textContent;
  return new Promise((done) => {
    const start = Date.now();
    const look = () => {
      const now = read();
      if (JSON.stringify(now) === JSON.stringify(want) || Date.now() - start > 2000) done(now);
      else setTimeout(look, 20);
    };
    look();
  });
}

export function typedWordsTests(session) {
  describe('own words typed in the page', () => {
    test('faults named while typing, the list played, a link to it', async () => {
      const game = await openGame(session(), { height: 700 });
      const click = async (selector) => game.browser.mouseClick(...await game.evaluate((s) => {
        const r = document.querySelector(s).getBoundingClientRect();
        return [r.x + r.width / 2, r.y + r.height / 2];
      }, selector));
      try {
        await click('#type-file-button');
        assert.deepEqual(await game.evaluate(() => [document.activeElement.id, ...['spellcheck', 'autocapitalize',
          'autocomplete', 'autocorrect'].map((a) => document.activeElement.getAttribute(a))]),
        ['type-file-text', 'false', 'off', 'off', 'off']);
        // Small letters alone: a capital or an umlaut typed into a text area
        // is the table's business, and WebKit's WebDriver drops them here
        // now and then.
        for (const word of ['igel', 'wal-fisch', 'igel']) {
          await game.type(word);
          await game.press('Enter');
        }
        const faults = ['Zeile 2: „wal-fisch“ enthält „-“; erlaubt sind nur Buchstaben.',
          'Zeile 3: „igel“ steht schon in Zeile 1.'];
        assert.deepEqual(await game.evaluate(shownOnce, 'faults', faults), faults);
        await game.press('a', ['Control']);
        await game.type('igel');
        await game.press('Enter');
        await game.type('wal');
        assert.deepEqual(await game.evaluate(shownOnce, 'faults', []), []);
        await click('#type-file [data-do=play]');
        assert.deepEqual(await game.evaluate(() => [document.getElementById('type-file').open,
          document.getElementById('status').textContent]),
        [false, 'Eigene Wortliste mit 2 Wörtern. Ein Klick auf das rote Fragezeichen oder F2 startet eine Runde.']);

        // The clipboard answers in its own time.
        await click('#type-file-button');
        await click('#type-file [data-do=link]');
        const note = await game.evaluate(shownOnce, 'note', 'Link kopiert.');
        assert.ok(['Link kopiert.', 'Der Link ist markiert und kann kopiert werden.'].includes(note), note);
        assert.match(await game.evaluate(() => (document.getElementById('type-file-link').hidden ? ''
          : document.getElementById('type-file-link').value)), /\/test-site\/#woerter=[A-Za-z0-9_-]+$/);
      } finally {
        await game.close();
      }
    });
  });
}
