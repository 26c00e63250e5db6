// SPDX-License-Identifier: GPL-3.0-or-later
// What the game looks like in headless chromium: the colours of the start
// screen and the gallows parts that a screenshot shows in a round, played
// with real clicks and keys on the test site. What the game does, the same
// in every form engine, is in the table of form cases (cases.mjs).
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { colour, onPanel, openBrowser, openGame, partsShown, row } from './browser.mjs';

let session;
before(async () => { session = await openBrowser(); });
after(() => session.close());

const parts = (...n) => n.map((i) => `teil${i}`);

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

  test('a lost round: the word box over the "?", seven misses, then the loss', async () => {
    const game = await openGame(session);
    await game.startRound(row.hut);
    assert.deepEqual((await game.screen()).pixel(14, 85), colour.darkBlue, 'the word box covers the "?"');
    await game.type('xxxxxxx');
    assert.deepEqual(await partsShown(game), parts(1, 2, 3, 4, 5, 6, 7));
    await game.type('q');
    assert.deepEqual(await partsShown(game), parts(1, 2, 3, 5, 6, 7, 8, 9, 10));
  });

  test('a won round', async () => {
    const game = await openGame(session);
    await game.startRound(row.elefant);
    await game.type('elfant');
    assert.deepEqual(await partsShown(game), parts(11, 12));
  });
});
