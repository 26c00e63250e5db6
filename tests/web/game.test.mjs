// SPDX-License-Identifier: GPL-3.0-or-later
// What the game looks like in headless chromium: the colours of the start
// screen, and every gallows part and the word box painted in their places
// when the page shows them. What the game does, the same in every form
// engine, is in the table of form cases (cases.mjs); here the controls are
// shown by the page's own means, with no game played.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { colour, onPanel, openBrowser, openGame, partsShown } from './browser.mjs';

let session;
before(async () => { session = await openBrowser(); });
after(() => session.close());

const parts = (...n) => n.map((i) => `teil${i}`);

// In the page: shows exactly these controls of the gallows and the word
// box, as the engine does, and waits for their pictures.
function show(names) {
  for (const e of document.querySelectorAll('[data-name^=teil], [data-name=Fragewort]')) {
    if (names.includes(e.dataset.name)) e.removeAttribute('hidden');
    else e.setAttribute('hidden', '');
  }
  return Promise.all([...document.querySelectorAll('#form img')].map((img) => img.decode()));
}

describe('the look of the game', () => {
  test('the start screen', async () => {
    const game = await openGame(session);
    assert.equal(await game.page.title(), 'Galgenmännchenspiel');
    const s = await game.screen();
    assert.deepEqual(s.pixel(20, 80), colour.lightYellow);
    assert.ok(s.count(230, 67, 26, 32, colour.red) > 30, 'the red "?" shows');
    assert.deepEqual(s.pixel(...onPanel(240, 200)), colour.white);
    // The panel's etched border, as the desktop draws it: grey at its top
    // and left edges and one pixel in from its bottom and right ones.
    for (const at of [[0, 100], [474, 100], [100, 0], [100, 311]])
      assert.deepEqual(s.pixel(...onPanel(...at)), [159, 159, 159], String(at));
    for (const at of [[475, 100], [100, 312]]) assert.deepEqual(s.pixel(...onPanel(...at)), colour.white, String(at));
    assert.deepEqual(await partsShown(game), []);
    const icon = await game.page.$eval('link[rel=icon]', (l) => l.getAttribute('href'));
    assert.match(icon, /^pictures\/gallows\.[0-9a-f]{10}\.svg$/);
    assert.deepEqual(game.errors, []);
  });

  test('every gallows part paints in its place, and the word box over the "?"', async () => {
    const game = await openGame(session);
    const shown = [
      parts(1, 2, 3, 4, 5, 6, 7, 8, 9, 10),
      parts(11, 12),   // the acquittal covers the boxes of teil4 and teil9
      [],
    ];
    for (const names of shown) {
      await game.evaluate(show, [...names, 'Fragewort']);
      assert.deepEqual(await partsShown(game), names);
      const s = await game.screen();
      assert.deepEqual(s.pixel(14, 85), colour.darkBlue, 'the word box shows');
      assert.equal(s.count(230, 67, 26, 32, colour.red), 0, 'the word box covers the "?"');
    }
    assert.deepEqual(game.errors, []);
  });
});
