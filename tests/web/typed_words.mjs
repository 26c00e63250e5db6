// SPDX-License-Identifier: GPL-3.0-or-later
// The page's dialog for typing a list of own words, in one browser engine:
// opened by the button beside the form, its text area asking for no
// correction, its faults named while the player types, in the words of a
// file's message and as text; the list played, and a link to it.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';
import { openGame } from './browser.mjs';

// In the page: the faults the dialog lists, once it lists these (or after
// two seconds, whatever it lists).
function faultsListed(expected) {
  const listed = () => [...document.querySelectorAll('#type-file-faults li')].map((item) => item.textContent);
  return new Promise((done) => {
    const start = Date.now();
    const look = () => {
      const now = listed();
      if (JSON.stringify(now) === JSON.stringify(expected) || Date.now() - start > 2000) done(now);
      else setTimeout(look, 20);
    };
    look();
  });
}

function centreOf(selector) {
  const r = document.querySelector(selector).getBoundingClientRect();
  return [r.x + r.width / 2, r.y + r.height / 2];
}

export function typedWordsTests(session) {
  describe('own words typed in the page', () => {
    test('faults named while typing, the list played, a link to it', async () => {
      const game = await openGame(session(), { height: 700 });
      const click = async (selector) => game.browser.mouseClick(...await game.evaluate(centreOf, selector));
      try {
        await click('#type-file-button');
        const box = await game.evaluate(() => {
          const text = document.activeElement;
          return { open: document.getElementById('type-file').open, id: text.id,
            asks: ['spellcheck', 'autocapitalize', 'autocomplete', 'autocorrect'].map((a) => text.getAttribute(a)) };
        });
        assert.deepEqual(box, { open: true, id: 'type-file-text', asks: ['false', 'off', 'off', 'off'] });

        // Small letters alone: a capital or an umlaut typed into a text area
        // is the table's business, and WebKit's WebDriver drops them here
        // now and then.
        for (const word of ['igel', 'wal-fisch', 'igel']) {
          await game.type(word);
          await game.press('Enter');
        }
        const faults = ['Zeile 2: „wal-fisch“ enthält „-“; erlaubt sind nur Buchstaben.',
          'Zeile 3: „igel“ steht schon in Zeile 1.'];
        assert.deepEqual(await game.evaluate(faultsListed, faults), faults);

        await game.press('a', ['Control']);
        await game.type('igel');
        await game.press('Enter');
        await game.type('Wal');
        assert.deepEqual(await game.evaluate(faultsListed, []), []);
        await click('#type-file [data-do=play]');
        assert.deepEqual(await game.evaluate(() => [document.getElementById('type-file').open,
          document.getElementById('status').textContent]),
        [false, 'Eigene Wortliste mit 2 Wörtern. Ein Klick auf das rote Fragezeichen oder F2 startet eine Runde.']);

        await click('#type-file-button');
        await click('#type-file [data-do=link]');
        // The clipboard answers in its own time.
        const link = await game.evaluate(() => new Promise((done) => {
          const field = document.getElementById('type-file-link');
          const note = document.getElementById('type-file-note');
          const look = () => (note.textContent ? done({ shown: !field.hidden, value: field.value, note: note.textContent })
            : setTimeout(look, 20));
          look();
        }));
        assert.ok(link.shown);
        assert.match(link.value, /\/test-site\/#woerter=[A-Za-z0-9_-]+$/);
        assert.ok(['Link kopiert.', 'Der Link ist markiert und kann kopiert werden.'].includes(link.note), link.note);
      } finally {
        await game.close();
      }
    });
  });
}
