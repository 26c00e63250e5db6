// SPDX-License-Identifier: GPL-3.0-or-later
// What the page does where a browser differs from a desktop window, in
// headless chromium: the error dialog's look, the note that "Ende" leaves,
// a narrow viewport, the accessible names and the live region, and that
// nothing is fetched from outside the page's origin. The run-time error's
// message, the game going on after it, "Ende" ending the game and the spoken
// status of a round are in the table of form cases (cases.mjs).
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { colour, onPanel, openBrowser, openGame, questionMark, row, texts } from './browser.mjs';

let session;
before(async () => { session = await openBrowser(); });
after(() => session.close());

describe('page', () => {
  test('a run-time error shows in a modal dialog that Enter closes', async () => {
    const game = await openGame(session);
    await game.push(1000);   // 150 * 1000 does not fit 16 bits
    await game.clickAt(questionMark);
    const dialog = await game.page.$eval('#error', (d) => {
      // Where the texts and the button stand in the dialog's content box.
      const box = d.querySelector('form').getBoundingClientRect();
      const text = (e) => {
        const range = document.createRange();
        range.selectNodeContents(e);
        return range.getBoundingClientRect();
      };
      return {
        open: d.open, modal: d.matches(':modal'), title: d.querySelector('h2').textContent,
        titleLeft: text(d.querySelector('h2')).left - box.left,
        messageLeft: text(d.querySelector('.message')).left - box.left,
        buttonRight: box.right - d.querySelector('button').getBoundingClientRect().right,
      };
    });
    assert.ok(dialog.open && dialog.modal);
    assert.equal(dialog.title, 'Galgenmännchenspiel');
    assert.deepEqual([dialog.titleLeft, dialog.messageLeft, dialog.buttonRight].map(Math.round), [0, 0, 0],
      'the heading and the message at the left, the button at the right');
    await game.page.keyboard.press('Enter');   // the dialog's OK button has the focus
    assert.equal(await game.page.$eval('#error', (d) => d.open), false);
  });

  test('"Ende" leaves a note with a link to a fresh game', async () => {
    const game = await openGame(session);
    await game.startRound(row.hut);
    await game.click('ende');
    const page = await game.page.evaluate(() => ({
      note: document.getElementById('ended').hidden ? null : document.getElementById('ended').textContent,
      focus: document.activeElement.tagName,
      href: document.querySelector('#ended a').getAttribute('href'),
    }));
    assert.match(page.note, /Das Spiel ist beendet/);
    assert.equal(page.focus, 'A');
    assert.equal(page.href, '', 'the link leads to this very page, wherever it is hosted');
    await Promise.all([game.page.waitForNavigation(), game.page.click('#ended a')]);
    await game.page.waitForSelector('#form[data-ready]');
    assert.equal((await game.state([], ['Label1'])).texts.Label1, texts.startHeadline);
  });

  test('a narrow viewport shows the whole form, scaled down uniformly', async () => {
    const game = await openGame(session, { width: 320, height: 640, scale: 2 });
    const box = await game.page.$eval('#form', (f) => {
      const r = f.getBoundingClientRect();
      return { width: r.width, height: r.height, scrolls: document.documentElement.scrollWidth > innerWidth };
    });
    assert.ok(Math.abs(box.width - 320) < 1, `width ${box.width}`);
    assert.ok(Math.abs(box.height - 449 * 320 / 483) < 1, `height ${box.height}`);
    assert.equal(box.scrolls, false);
    await game.startRound(row.hut);   // clicks the "?" where it now is
    await game.type('x');
    const state = await game.state(['Fragewort'], ['Fragewort']);
    assert.deepEqual(state.shown, ['Fragewort']);
    assert.equal(state.texts.Fragewort, '---');
    const s = await game.screen();
    const k = 320 / 483;
    const at = ([x, y]) => [x * k, y * k];
    assert.deepEqual(s.pixel(...at([14, 85])), colour.darkBlue);
    assert.deepEqual(s.pixel(...at(onPanel(20, 296))), colour.brown);
    assert.deepEqual(s.pixel(...at([20, 140])), colour.white);
  });

  test('every control has its German accessible name', async () => {
    const game = await openGame(session);
    await game.startRound(row.hut);
    for (let i = 0; i < 8; ++i) await game.type('x');   // the loss shows most parts
    const tree = await game.page.accessibility.snapshot({ interestingOnly: false });
    const nodes = [];
    (function walk(node) { nodes.push(node); (node.children || []).forEach(walk); })(tree);
    const table = [
      ['button', 'Neues Spiel'], ['button', 'Ende'],
      ['textbox', 'Eingabe'], ['textbox', 'Gesuchtes Wort'],
      ['group', 'Spielfeld mit dem Galgen'],
      ['image', 'Unterste Stufe der Treppe'], ['image', 'Mittlere Stufe der Treppe'], ['image', 'Oberste Stufe der Treppe'],
      ['image', 'Pfosten des Galgens'], ['image', 'Querbalken des Galgens'], ['image', 'Strebe des Galgens'],
      ['image', 'Der Gehängte'], ['image', 'Der Henker'],
      ['StaticText', 'Leider verloren...!'], ['StaticText', texts.roundHeadline],
    ];
    for (const [role, name] of table)
      assert.ok(nodes.some((n) => n.role === role && n.name === name), `${role} "${name}"`);
    const word = nodes.find((n) => n.name === 'Gesuchtes Wort');
    assert.equal(word.value, 'Hut');
    assert.equal(word.disabled, true);
    assert.equal(nodes.filter((n) => n.role === 'image' && n.name === 'Galgen').length, 0);
  });

  test('the spoken status goes to a polite live region, a repeated one anew', async () => {
    const game = await openGame(session);
    assert.equal(await game.page.$eval('#status', (r) => r.getAttribute('aria-live')), 'polite');
    await game.page.evaluate(() => {
      window.statusAdditions = 0;
      new MutationObserver((records) => records.forEach((r) => { window.statusAdditions += r.addedNodes.length; }))
        .observe(document.getElementById('status'), { childList: true, subtree: true });
    });
    await game.click('spielneu');
    await game.click('spielneu');
    assert.equal(await game.page.evaluate(() => window.statusAdditions), 2, 'the same status twice is two messages');
  });

  test('the shipped page fetches nothing from outside its origin, from a subfolder too, and has no test hooks', async () => {
    const page = await session.browser.newPage();
    const requests = [];
    page.on('request', (r) => requests.push(r.url()));
    const failed = [];
    page.on('requestfailed', (r) => failed.push(r.url()));
    page.on('response', (r) => { if (r.status() >= 400) failed.push(`${r.status()} ${r.url()}`); });
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    await page.setViewport({ width: 483, height: 449 });
    await page.goto(`${session.origin}/site/`);
    await page.waitForSelector('#form[data-ready]');
    await page.evaluate(() => document.fonts.ready.then(() => undefined));
    await page.mouse.click(...questionMark);
    await page.keyboard.type('enaxyq');
    const typed = await page.$eval('[data-name=textin]', (box) => box.value);
    assert.equal(typed, '?enaxyq', 'the shipped module takes keys');
    await page.click('[data-name=ende]');
    assert.deepEqual(errors, []);
    assert.ok(requests.length >= 9, requests.join('\n'));
    for (const url of requests) assert.equal(new URL(url).origin, session.origin, url);
    assert.deepEqual(failed, []);
    for (const file of [/pictures\/executioner\.\w+\.svg$/, /galgen\.\w+\.wasm$/])
      assert.ok(requests.some((u) => u.startsWith(`${session.origin}/site/`) && file.test(u)), String(file));
    // This machine has the fonts, so the page took them from the system; a
    // player's browser without them gets the site's own, which must load.
    const fonts = await page.evaluate(() => Promise.all([...document.styleSheets[0].cssRules]
      .filter((rule) => rule instanceof CSSFontFaceRule)
      .map((rule) => new FontFace('Probe', rule.style.getPropertyValue('src').match(/url\([^)]+\)/)[0]).load()
        .then((face) => face.status))));
    assert.deepEqual(fonts, ['loaded', 'loaded', 'loaded']);
    const hooks = await page.evaluate(() => Object.keys(Module).filter((k) => k.includes('test')));
    assert.deepEqual(hooks, []);
  });
});
