// SPDX-License-Identifier: GPL-3.0-or-later
// The game in headless chromium, played with real clicks and keys on the
// test site, whose words come from a scripted random source. What the
// player sees is read from the DOM and from screenshots.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { colour, onPanel, openBrowser, openGame, partsShown, questionMark, row, texts } from './browser.mjs';

let session;
before(async () => { session = await openBrowser(); });
after(() => session.close());

const parts = (...n) => n.map((i) => `teil${i}`);

describe('screens', () => {
  test('the start screen', async () => {
    const game = await openGame(session);
    const state = await game.state();
    assert.equal(await game.page.title(), 'Galgenmännchenspiel');
    assert.equal(state.label1, texts.startHeadline);
    assert.equal(state.label2, texts.startInstruction);
    assert.equal(state.word, null);
    assert.equal(state.textin, '?');
    assert.deepEqual(state.parts, []);
    assert.equal(state.focus, 'ende', 'the focus starts on "Ende"');
    const s = await game.screen();
    assert.deepEqual(s.pixel(20, 80), colour.lightYellow);
    assert.ok(s.count(230, 67, 26, 32, colour.red) > 30, 'the red "?" shows');
    assert.deepEqual(s.pixel(...onPanel(240, 200)), colour.white);
    assert.deepEqual(await partsShown(game), []);
    const icon = await game.page.$eval('link[rel=icon]', (l) => l.getAttribute('href'));
    assert.match(icon, /^pictures\/gallows\.[0-9a-f]{10}\.svg$/);
    assert.deepEqual(game.errors, []);
  });

  test('a lost round: each miss one more part, the eighth the loss', async () => {
    const game = await openGame(session);
    await game.startRound(row.hut);
    let state = await game.state();
    assert.equal(state.label1, texts.roundHeadline);
    assert.equal(state.word, '---');
    assert.equal(state.focus, 'textin');
    assert.deepEqual((await game.screen()).pixel(14, 85), colour.darkBlue, 'the word box covers the "?"');
    const shownAfterMiss = [parts(1), parts(1, 2), parts(1, 2, 3), parts(1, 2, 3, 4), parts(1, 2, 3, 4, 5),
      parts(1, 2, 3, 4, 5, 6), parts(1, 2, 3, 4, 5, 6, 7)];
    for (const [i, expected] of shownAfterMiss.entries()) {
      await game.type('x');
      assert.deepEqual((await game.state()).parts, expected, `after miss ${i + 1}`);
    }
    assert.deepEqual(await partsShown(game), parts(1, 2, 3, 4, 5, 6, 7));
    await game.type('q');
    state = await game.state();
    assert.equal(state.word, 'Hut', 'the loss shows the word');
    assert.deepEqual(state.parts, parts(1, 2, 3, 5, 6, 7, 8, 9, 10));
    assert.deepEqual(await partsShown(game), parts(1, 2, 3, 5, 6, 7, 8, 9, 10));
    await game.type('u');
    assert.equal((await game.state()).word, 'Hut', 'keys after the loss are ignored');
  });

  test('a won round', async () => {
    const game = await openGame(session);
    await game.startRound(row.elefant);
    await game.type('e');
    assert.equal((await game.state()).word, 'E-e----');
    await game.type('lfan');
    assert.deepEqual((await game.state()).parts, []);
    await game.type('t');
    const state = await game.state();
    assert.equal(state.word, 'Elefant');
    assert.deepEqual(state.parts, parts(11, 12));
    assert.deepEqual(await partsShown(game), parts(11, 12));
    assert.equal(state.textin, '?elfant', 'the typed text stays in the box');
  });

  test('"Neues Spiel" mid-round; the hidden round goes on after Tab', async () => {
    const game = await openGame(session);
    await game.startRound(row.hut);
    await game.type('x');
    await game.click('spielneu');
    let state = await game.state();
    assert.equal(state.label1, texts.startHeadline);
    assert.equal(state.word, null);
    assert.equal(state.textin, '?');
    assert.deepEqual(state.parts, []);
    assert.equal(state.focus, 'spielneu');
    await game.press('Tab', ['Shift']);
    assert.equal((await game.state()).focus, 'textin');
    await game.type('y');
    assert.deepEqual((await game.state()).parts, parts(2), 'the second miss shows on the emptied gallows');
    await game.type('hU');
    state = await game.state();
    assert.equal(state.hiddenWord, 'Hu-');
    assert.equal(state.word, null, 'the word box stays hidden');
    await game.type('t');
    assert.deepEqual((await game.state()).parts, parts(11, 12));
    // A click on the uncovered "?" starts a new round over it.
    await game.startRound(row.loeffel);
    assert.equal((await game.state()).word, '------');
  });

  test('a click on the covered "?" starts nothing and the keys still reach the box', async () => {
    const game = await openGame(session);
    await game.startRound(row.hut);
    await game.clickAt([20, 85]);
    await game.clickAt(questionMark);
    await game.clickAt(onPanel(100, 100));
    await game.type('u');
    const state = await game.state();
    assert.equal(state.word, '-u-');
    assert.equal(state.focus, 'textin');
    assert.deepEqual(game.errors, []);
  });

  test('every word once, then the words are exhausted', async () => {
    const game = await openGame(session);
    for (let r = 1; r <= 150; ++r) {
      await game.startRound(r);
      await game.click('spielneu');
    }
    await game.clickAt(questionMark);
    const state = await game.state();
    assert.equal(state.word, texts.exhausted);
    assert.equal(state.label1, texts.startHeadline);
    assert.deepEqual(state.parts, []);
  });
});

describe('keys', () => {
  // A key of a keyboard whose layout has that character, as the browser
  // gets it from the system: a keydown with the character, then its input.
  async function typeOnLayout(game, character) {
    const cdp = await game.page.createCDPSession();
    await cdp.send('Input.dispatchKeyEvent', { type: 'keyDown', key: character, text: character, unmodifiedText: character });
    await cdp.send('Input.dispatchKeyEvent', { type: 'keyUp', key: character });
    await cdp.detach();
  }

  // What the KeyPress handler receives for each key, as on the desktop.
  const table = [
    { name: 'letters, digits, space, punctuation', keys: ['a', 'A', 'z', '1', ' ', '-'], codes: [97, 65, 122, 49, 32, 45] },
    { name: 'umlauts, ß and €', layout: ['ö', 'Ö', 'ä', 'Ü', 'ß', '€'], codes: [246, 214, 228, 220, 223, 128] },
    { name: 'a character outside cp1252', layout: ['ł', 'Ω'], codes: [63, 63] },
    { name: 'Backspace, Enter, Escape', keys: ['Backspace', 'Enter', 'NumpadEnter', 'Escape'], codes: [8, 13, 13, 27] },
    { name: 'keys without a character', keys: ['ArrowLeft', 'Delete', 'Home', 'Shift', 'F2'], codes: [] },
    { name: 'Alt and Meta combinations', keys: [['a', 'Alt'], ['b', 'Meta']], codes: [] },
    { name: 'Control with a letter', keys: [['a', 'Control']], codes: [1] },
  ];
  for (const { name, keys = [], layout = [], codes } of table) {
    test(name, async () => {
      const game = await openGame(session);
      await game.press('Tab');   // from "Ende" to the "?" box; no round runs, so the game ignores the keys
      assert.equal((await game.state()).focus, 'textin');
      for (const key of keys) {
        if (Array.isArray(key)) await game.press(key[0], [key[1]]);
        else await game.press(key);
      }
      for (const character of layout) await typeOnLayout(game, character);
      assert.deepEqual(await game.keyLog(), codes);
      assert.deepEqual(game.errors, []);
    });
  }

  test('umlauts in a round: ö and Ö reveal the ö of Löffel, ß is a miss', async () => {
    const game = await openGame(session);
    await game.startRound(row.loeffel);
    for (const character of ['ö', 'Ö']) await typeOnLayout(game, character);
    let state = await game.state();
    assert.equal(state.word, '-ö----');
    assert.deepEqual(state.parts, []);
    await typeOnLayout(game, 'ß');
    assert.deepEqual((await game.state()).parts, parts(1));
    assert.deepEqual(await game.keyLog(), [246, 214, 223]);
    assert.equal((await game.state()).textin, '?öÖß', 'the typed text stays in the box');
    await game.press('Backspace');
    state = await game.state();
    assert.equal(state.textin, '?öÖ', 'the box applies Backspace after the handler');
    assert.deepEqual(state.parts, parts(1, 2), 'Backspace is a miss');
  });

  test('on-screen keyboard input without key codes, each character once', async () => {
    const game = await openGame(session);
    await game.startRound(row.elefant);
    const cdp = await game.page.createCDPSession();
    await cdp.send('Input.insertText', { text: 'e' });
    // A keyboard that composes a word as it is typed, then commits it.
    await cdp.send('Input.imeSetComposition', { text: 'l', selectionStart: 1, selectionEnd: 1 });
    await cdp.send('Input.imeSetComposition', { text: 'lf', selectionStart: 2, selectionEnd: 2 });
    await cdp.send('Input.insertText', { text: 'lf' });
    await cdp.send('Input.insertText', { text: 'ä' });
    assert.deepEqual(await game.keyLog(), [101, 108, 102, 228]);
    const state = await game.state();
    assert.equal(state.word, 'Elef---');
    assert.deepEqual(state.parts, parts(1));
    assert.equal(state.textin, '?elfä');
  });

  test('a dead key and its composition give the composed character once', async () => {
    const game = await openGame(session);
    await game.press('Tab');
    const cdp = await game.page.createCDPSession();
    await cdp.send('Input.dispatchKeyEvent', { type: 'keyDown', key: 'Dead', code: 'Backquote' });
    await cdp.send('Input.imeSetComposition', { text: '^', selectionStart: 1, selectionEnd: 1 });
    await cdp.send('Input.dispatchKeyEvent', { type: 'keyUp', key: 'Dead', code: 'Backquote' });
    await cdp.send('Input.insertText', { text: 'ê' });
    assert.deepEqual(await game.keyLog(), [234]);
    assert.equal((await game.state()).textin, 'ê', 'Tab selected the "?", as on the desktop');
  });
});
