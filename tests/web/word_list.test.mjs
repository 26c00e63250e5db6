// SPDX-License-Identifier: GPL-3.0-or-later
// What only the web edition does with word lists, in chromium: a list named
// by the page's address (index.html?liste=tiere.txt) beside the game, the
// addresses it refuses without fetching them, a list that cannot be
// fetched, and the list kept for offline play. A dropped list, before the
// module is ready too, its faults and the game with it are in the table of
// form cases.
import assert from 'node:assert/strict';
import { cpSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { buildDir, openBrowser, questionMark } from './browser.mjs';
import { serve } from './server.mjs';

let session;
before(async () => { session = await openBrowser(); });
after(() => session.close());

const taken = 'Eigene Wortliste mit 24 Wörtern. Ein Klick auf das rote Fragezeichen oder F2 startet eine Runde.';
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

  const refused = 'Eine Wortliste muss auf derselben Website im Ordner des Spiels liegen (oder darunter).';
  const faults = [
    ['https://example.org/x.txt', refused],
    ['//example.org/x.txt', refused],
    ['../site/tiere.txt', refused],
    ['%2e%2e/site/tiere.txt', refused],
    ['..%2fsite%2ftiere.txt', refused],
    ['data:text/plain,Hund', refused],
    ['fehlt.txt', 'Die Datei gibt es nicht.'],
  ];
  for (const [value, fault] of faults) {
    test(`?liste=${value}: "${fault}", and the game goes on with its own words`, async () => {
      const { page, requests } = await open(session.browser,
        `${session.origin}/test-site/?liste=${encodeURIComponent(value)}`);
      assert.equal(await outcome(page), message(value, fault));
      if (fault === refused) {
        const elsewhere = requests.map((r) => new URL(r))
          .filter((r) => r.origin !== session.origin || r.pathname.endsWith('.txt'));
        assert.deepEqual(elsewhere, [], 'nothing was fetched');
      }
      await page.click('#error button');
      assert.equal(await wordOfRow(page, 89), '---', 'Hut');
      await page.close();
    });
  }
});

describe('offline', () => {
  test('a list fetched once plays offline; one never fetched gets a message, and the game plays on', async () => {
    const root = mkdtempSync(join(tmpdir(), 'galgen-host-'));
    cpSync(join(buildDir, 'test-site'), join(root, 'galgen'), { recursive: true });
    let server = await serve(root);
    const url = `${server.origin}/galgen/`;
    const context = await session.browser.createBrowserContext();
    try {
      let { page } = await open(context, url);
      await page.evaluate(() => navigator.serviceWorker.ready);
      await page.goto(`${url}?liste=tiere.txt`);
      await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
      assert.equal(await outcome(page), taken);
      await page.close();

      await server.close();
      server = null;
      ({ page } = await open(context, `${url}?liste=tiere.txt`));
      assert.equal(await outcome(page), taken, 'the kept list');
      assert.equal(await wordOfRow(page, 1), '---', 'Bär');
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
