// SPDX-License-Identifier: GPL-3.0-or-later
// What only the web edition does with word lists, in chromium: a list named
// by the page's address (index.html?liste=tiere.txt) beside the game, the
// addresses it refuses without fetching them, what it does not take for a
// list, a list that cannot be fetched, the list kept for offline play, a
// list carried by a link (#woerter=…), and the browser's own file chooser.
// A dropped or chosen list, before the module is ready too, its faults and
// the game with it are in the table of form cases.
import assert from 'node:assert/strict';
import { cpSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { after, before, describe, test } from 'node:test';
import { KnownDevices } from 'puppeteer-core';
import { buildDir, openBrowser, openGame, questionMark } from './browser.mjs';
import { serve } from './server.mjs';

let session;
before(async () => { session = await openBrowser(); });
after(() => session.close());

const taken = 'Eigene Wortliste mit 24 Wörtern. Ein Klick auf das rote Fragezeichen oder F2 startet eine Runde.';
const takenOf = (n) => taken.replace('24', String(n));
const message = (name, fault) => `Die Wortliste „${name}“ wird nicht verwendet:\n${fault}\n`
  + 'Das Spiel geht mit den bisherigen Wörtern weiter.';

// A page of the test site at that address; what it asked the network for.
async function open(context, url) {
  const page = await context.newPage();
  await page.setViewport({ width: 483, height: 449 });
  const requests = [];
  page.on('request', (r) => requests.push(r.url()));
  await page.goto(url);
  await page.waitForSelector('#form[data-ready]');
  return { page, requests };
}

// The spoken status once the list came, or the message shown.
const outcome = (page) => page.waitForFunction(() => {
  const dialog = document.getElementById('error');
  if (dialog.open) return dialog.querySelector('.message').textContent;
  return document.getElementById('status').textContent || false;
}).then((handle) => handle.jsonValue());

// The word the next round draws from row `row` of the list in play.
async function wordOfRow(page, row) {
  await page.evaluate((r) => Module._galgen_test_push_row(r), row);
  await page.mouse.click(...questionMark);
  return page.$eval('[data-name=Fragewort]', (box) => box.value);
}

describe('a word list named by the address', () => {
  test('a list beside the game is played', async () => {
    const { page } = await open(session.browser, `${session.origin}/test-site/?liste=tiere.txt`);
    assert.equal(await outcome(page), taken);
    assert.equal(await wordOfRow(page, 5), '------', 'Strauß');
    await page.close();
  });

  // The value is a file's name as it is: percent signs are part of it.
  const refused = 'Eine Wortliste muss auf derselben Website im Ordner des Spiels liegen (oder darunter).';
  const missing = 'Die Datei gibt es nicht.';
  const folder = 'Das ist ein Ordner, keine Datei.';
  const faults = [
    ['https://example.org/x.txt', refused],
    ['//example.org/x.txt', refused],
    ['../site/tiere.txt', refused],
    ['data:text/plain,Hund', refused],
    ['%2e%2e/site/tiere.txt', missing],
    ['..%2fsite%2ftiere.txt', missing],
    ['fehlt.txt', missing],
    ['.', folder],
    ['pictures/', folder],
    ['index.html', 'Die Website schickt sie nicht als Textdatei, sondern als „text/html“.'],
  ];
  for (const [value, fault] of faults) {
    test(`?liste=${value}: "${fault}", and the game goes on with its own words`, async () => {
      const { page, requests } = await open(session.browser,
        `${session.origin}/test-site/?liste=${encodeURIComponent(value)}`);
      assert.equal(await outcome(page), message(value, fault));
      const outside = requests.map((r) => new URL(r))
        .filter((r) => r.origin !== session.origin || !r.pathname.startsWith('/test-site/'));
      assert.deepEqual(outside, [], 'nothing outside the game\'s folder was fetched');
      if (fault === refused || fault === folder) {
        const lists = requests.map((r) => new URL(r)).filter((r) => /(\.txt|\/)$/.test(r.pathname));
        assert.equal(lists.length, 1, 'nothing was fetched but the page itself');
      }
      await page.click('#error button');
      assert.equal(await wordOfRow(page, 89), '---', 'Hut');
      await page.close();
    });
  }

  test('a name with "#" or "?" is found, once encoded', async () => {
    const root = mkdtempSync(join(tmpdir(), 'galgen-host-'));
    cpSync(join(buildDir, 'test-site'), root, { recursive: true });
    writeFileSync(join(root, 'a#b.txt'), 'Igel\nWal\n');
    writeFileSync(join(root, 'a?b.txt'), 'Igel\nWal\nMaus\n');
    const server = await serve(root);
    try {
      for (const [name, count] of [['a#b.txt', 2], ['a?b.txt', 3]]) {
        const { page } = await open(session.browser, `${server.origin}/?liste=${encodeURIComponent(name)}`);
        assert.equal(await outcome(page), takenOf(count), name);
        await page.close();
      }
    } finally {
      await server.close();
      rmSync(root, { recursive: true, force: true });
    }
  });
});

describe('offline', () => {
  test('a list fetched once, on the first visit too, plays offline, and so does a link; one never fetched gets a message, and the game plays on', async () => {
    const root = mkdtempSync(join(tmpdir(), 'galgen-host-'));
    cpSync(join(buildDir, 'test-site'), join(root, 'galgen'), { recursive: true });
    let server = await serve(root);
    const url = `${server.origin}/galgen/`;
    const context = await session.browser.createBrowserContext();
    try {
      // Fetched before the service worker controls the page.
      let { page } = await open(context, `${url}?liste=tiere.txt`);
      assert.equal(await outcome(page), taken);
      await page.waitForFunction(async (list) => Boolean(await caches.match(list)), {}, `${url}tiere.txt`);
      await page.close();

      await server.close();
      server = null;
      ({ page } = await open(context, `${url}?liste=tiere.txt`));
      assert.equal(await outcome(page), taken, 'the kept list');
      assert.equal(await wordOfRow(page, 1), '---', 'Bär');
      await page.close();
      ({ page } = await open(context, `${url}#${await linkTo('Igel\nWal\nMaus')}`));
      assert.equal(await outcome(page), takenOf(3), 'a link\'s list');
      await page.close();
      ({ page } = await open(context, `${url}?liste=voegel.txt`));
      assert.equal(await outcome(page), message('voegel.txt', 'Die Datei ließ sich nicht laden (keine Verbindung).'));
      await page.click('#error button');
      assert.equal(await wordOfRow(page, 89), '---', 'Hut');
    } finally {
      await context.close();
      await server?.close();
      rmSync(root, { recursive: true, force: true });
    }
  });
});

// The code of a link to these words, as the page's dialog makes it.
async function linkTo(words) {
  const { page } = await open(session.browser, `${session.origin}/test-site/`);
  const fragment = await page.evaluate((w) => Module.ccall('galgen_words_link', 'string', ['string'], [w]), words);
  await page.close();
  return fragment;
}

describe('a list carried by a link', () => {
  // On a phone, by touch alone: the on-screen keyboard's text comes as
  // input events, every target is big enough for a finger.
  async function phone(context, url) {
    const page = await context.newPage();
    await page.emulate(KnownDevices['Pixel 5']);
    await page.goto(url);
    await page.waitForSelector('#form[data-ready]');
    // The form's own controls keep the layout's sizes; what the page adds
    // beside it is big enough for a finger.
    const tap = async (selector) => {
      const box = await (await page.$(selector)).boundingBox();
      if (!selector.startsWith('[data-name'))
        assert.ok(box.width >= 44 && box.height >= 44, `${selector} is a finger's target`);
      await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
    };
    // The word a round draws from row `row`, started with a tap on the "?".
    const wordOf = async (row) => {
      await page.evaluate((r) => Module._galgen_test_push_row(r), row);
      await tap('[data-name=textin]');
      return page.$eval('[data-name=Fragewort]', (box) => box.value);
    };
    return { page, tap, wordOf };
  }

  test('on a phone by touch: three words typed, played and copied as a link, which plays them elsewhere, and not once changed', async () => {
    const context = await session.browser.createBrowserContext();
    const elsewhere = await session.browser.createBrowserContext();
    try {
      await context.overridePermissions(session.origin, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
      const { page, tap } = await phone(context, `${session.origin}/test-site/`);
      await tap('#type-file-button');
      const cdp = await page.createCDPSession();
      for (const [i, word] of ['Igel', 'Wal', 'Maus'].entries())
        await cdp.send('Input.insertText', { text: (i ? '\n' : '') + word });
      await tap('#type-file [data-do=play]');
      assert.equal(await outcome(page), takenOf(3));
      await tap('#type-file-button');
      await tap('#type-file [data-do=link]');
      const link = await page.$eval('#type-file-link', (field) => field.value);
      assert.equal(await page.evaluate(() => navigator.clipboard.readText()), link, 'the link is copied');
      assert.ok(link.length <= 500, `${link.length} characters`);

      const there = await phone(elsewhere, link);
      assert.equal(await outcome(there.page), takenOf(3));
      assert.equal(await there.wordOf(3), '----', 'Maus');
      await there.page.evaluate((f) => { location.hash = f; }, await linkTo('Hund\nKatze'));
      await there.page.waitForFunction((said) => document.getElementById('status').textContent === said, {},
        takenOf(2));

      // Changed in one character, cut short, or with markup added: the
      // message, nothing of the link as markup, and the game's own words.
      const at = link.length - 3;
      for (const wrong of [link.slice(0, at) + (link[at] === 'A' ? 'B' : 'A') + link.slice(at + 1), link.slice(0, -1),
        `${link}<img src=x onerror=alert(1)>`]) {
        const broken = await phone(elsewhere, wrong);
        assert.equal(await outcome(broken.page), message('Wörter aus dem Link',
          'Der Link ist unvollständig oder verändert; bitte den ganzen Link noch einmal kopieren.'), wrong);
        assert.equal(await broken.page.$$eval('#error img', (images) => images.length), 0);
        await broken.tap('#error button');
        assert.equal(await broken.wordOf(89), '---', 'Hut, of the game\'s own words');
      }
    } finally {
      await context.close();
      await elsewhere.close();
    }
  });

  test('where the clipboard cannot be written, the link shows selected, ready to copy', async () => {
    const context = await session.browser.createBrowserContext();
    try {
      const page = await context.newPage();
      await page.evaluateOnNewDocument(() => {
        Object.defineProperty(navigator, 'clipboard', { value: undefined });
        document.execCommand = () => false;
      });
      await page.goto(`${session.origin}/test-site/`);
      await page.waitForSelector('#form[data-ready]');
      await page.click('#type-file-button');
      await page.keyboard.type('Igel');
      await page.click('#type-file [data-do=link]');
      const shown = await page.evaluate(() => {
        const field = document.getElementById('type-file-link');
        return [document.activeElement === field, field.selectionStart, field.selectionEnd === field.value.length,
          document.getElementById('type-file-note').textContent];
      });
      assert.deepEqual(shown, [true, 0, true, 'Der Link ist markiert und kann kopiert werden.']);
    } finally {
      await context.close();
    }
  });

  test('the browser\'s own file chooser, for text files, brings the list chosen', async () => {
    const game = await openGame(session);
    try {
      await game.evaluate(() => { delete document.getElementById('file-choice').click; });
      const [chooser] = await Promise.all([game.page.waitForFileChooser(), game.press('o', ['Control'])]);
      assert.equal(chooser.isMultiple(), false);
      assert.equal(await game.evaluate(() => document.getElementById('file-choice').accept), '.txt,text/plain');
      await chooser.accept([fileURLToPath(new URL('../../examples/tiere.txt', import.meta.url))]);
      assert.equal(await outcome(game.page), taken);
    } finally {
      await game.close();
    }
  });
});

