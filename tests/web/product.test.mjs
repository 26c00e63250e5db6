// SPDX-License-Identifier: GPL-3.0-or-later
// The web edition as a product, in chromium: under the strict content
// security policy a host sends, with no violation; installable; playable
// offline after one visit, from a subfolder, with the server stopped, not
// only with the browser's offline emulation; a new release replacing the
// old one on the next visit without mixing their files. What the player
// does before the module is ready is in the table of form cases.
import assert from 'node:assert/strict';
import { createHash } from 'node:crypto';
import { cpSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { buildDir, openBrowser, questionMark, row, watched, workerOf } from './browser.mjs';
import { serve } from './server.mjs';

let session;
before(async () => { session = await openBrowser({ engine: 'chromium' }); });
after(() => session.close());

// A page that reports what the policy refused and what its scripts log.
const watchedPage = (context = session.browser) => watched(context);

const ready = (page) => page.waitForSelector('#form[data-ready]');
// A round of the test site: Hut, one hit and one miss; the word box after
// them. What the round shows and says is the table's; here it only has to
// run.
async function playRound(page) {
  await page.evaluate((r) => Module._galgen_test_push_row(r), row.hut);
  await page.mouse.click(...questionMark);
  await page.keyboard.type('ux');
  return page.$eval('[data-name=Fragewort]', (box) => box.value);
}

describe('policy', () => {
  test('the host sends the strict policy, the page carries it too, and a round breaks none of it', async () => {
    const page = await watchedPage();
    const response = await page.goto(`${session.origin}/test-site/`);
    const header = response.headers()['content-security-policy'];
    assert.match(header, /^default-src 'none'; script-src 'self' 'wasm-unsafe-eval' 'sha256-[^']+'; style-src 'sha256-[^']+';.*; frame-ancestors 'none'$/);
    assert.doesNotMatch(header, /unsafe-inline/);
    const meta = await page.$eval('meta[http-equiv=Content-Security-Policy]', (m) => m.content);
    assert.equal(meta, header.replace(/; frame-ancestors 'none'$/, ''), 'the page carries the policy but for frame-ancestors');
    await ready(page);
    assert.equal(await playRound(page), '-u-', 'a round under the policy');
    assert.deepEqual(await page.evaluate(() => window.violations), []);
    // Inline, only the page's style and its first script, each allowed by
    // its hash; no style attribute, no handler attribute.
    const markup = await (await fetch(`${session.origin}/test-site/`)).text();
    const inline = [...markup.matchAll(/<(script|style)\b([^>]*)>([^]*?)<\/\1>/g)].filter((m) => !/\ssrc=/.test(m[2]));
    assert.deepEqual(inline.map((m) => m[1]), ['style', 'script']);
    for (const [, kind, , text] of inline)
      assert.ok(header.includes(`'sha256-${createHash('sha256').update(text).digest('base64')}'`), `the ${kind} by its hash`);
    assert.doesNotMatch(markup, /\sstyle=|\son[a-z]+=/);
    await page.close();
  });

  test('the shipped page requests nothing before its first paint, and its first script runs before the form', async () => {
    const page = await watchedPage();
    await page.goto(`${session.origin}/site/`);
    await ready(page);
    const { paint, early, scriptFirst } = await page.evaluate(() => ({
      paint: performance.getEntriesByName('first-contentful-paint')[0].startTime,
      early: performance.getEntriesByType('resource').map((r) => [r.name, r.startTime]),
      scriptFirst: Boolean(document.scripts[0].compareDocumentPosition(document.getElementById('form'))
        & Node.DOCUMENT_POSITION_FOLLOWING),
    }));
    assert.ok(early.length > 0, 'the module and its wasm come');
    // The browser fetches the page's icon when it likes (chromium: once the
    // page has loaded, which with nothing to wait for is at once); it holds
    // up no paint.
    const icon = await page.$eval('link[rel=icon]', (link) => link.href);
    assert.deepEqual(early.filter(([name, start]) => start <= paint && name !== icon), [],
      `requested before the first paint at ${paint} ms`);
    assert.ok(scriptFirst, 'the first script stands before the form');
    await page.close();
  });
});

describe('installable', () => {
  test('chromium finds the shipped page installable, its manifest in German and relative', async () => {
    const page = await watchedPage();
    await page.goto(`${session.origin}/site/`);
    await ready(page);
    const cdp = await page.createCDPSession();
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors, []);
    const manifest = await (await fetch(`${session.origin}/site/manifest.webmanifest`)).json();
    assert.equal(manifest.lang, 'de');
    assert.equal(manifest.start_url, './');
    assert.equal(manifest.scope, './');
    assert.equal(manifest.display, 'standalone');
    assert.deepEqual(manifest.icons.map((i) => `${i.sizes} ${i.purpose}`), ['192x192 any', '512x512 any', '512x512 maskable']);
    assert.deepEqual(await page.evaluate(() => window.violations), []);
    await page.close();
  });
});

describe('offline and updates', () => {
  // A host of its own, with a site in a subfolder, that a test stops and
  // starts again on the same address.
  let root;
  let server;
  let port;
  const url = () => `http://127.0.0.1:${port}/spiele/galgen/`;
  const put = (site) => {
    rmSync(join(root, 'spiele'), { recursive: true, force: true });
    cpSync(join(buildDir, site), join(root, 'spiele', 'galgen'), { recursive: true });
  };
  const start = async () => {
    server = await serve(root, { port });
    port = Number(server.origin.split(':').pop());
  };
  before(() => { root = mkdtempSync(join(tmpdir(), 'galgen-host-')); port = 0; });
  after(() => { server?.close(); rmSync(root, { recursive: true, force: true }); });

  // The files of a build and its cache, as its service worker names them.
  const filesOf = (site) => workerOf(join(buildDir, site)).files;
  const cacheOf = (site) => workerOf(join(buildDir, site)).cache;

  // Waits until a service worker controls the page.
  const controlled = (page) => page.waitForFunction(() => navigator.serviceWorker.controller !== null);

  test('one visit, then a round with the server stopped; the next release on the next visit, never mixed', async () => {
    const context = await session.browser.createBrowserContext();
    put('test-site');
    await start();

    // The first visit installs the worker; its second page is controlled.
    let page = await watchedPage(context);
    await page.goto(url());
    await ready(page);
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.reload();
    await controlled(page);
    assert.deepEqual(await page.evaluate(() => caches.keys()), [cacheOf('test-site')]);
    await page.close();

    // Offline: the server is gone. The check for a new release fails,
    // which is no fault and no warning.
    await server.close();
    page = await watchedPage(context);
    await page.goto(url());
    await ready(page);
    assert.equal(await playRound(page), '-u-', 'a round offline');
    await page.evaluate(() => navigator.serviceWorker.ready);
    assert.deepEqual(await page.evaluate(() => window.logged), []);
    await page.close();

    // The next release: the page comes from the network, and everything it
    // loads is of its own build.
    put('test-site-next');
    await start();
    page = await watchedPage(context);
    const loaded = [];
    page.on('requestfinished', (r) => loaded.push(r.url().slice(url().length)));
    await page.goto(url());
    await ready(page);
    await page.evaluate(() => document.fonts.ready.then(() => undefined));
    const next = new Set(filesOf('test-site-next'));
    const old = new Set(filesOf('test-site'));
    const names = loaded.filter((name) => name && name !== 'sw.js');
    assert.ok(names.some((name) => !old.has(name)), `the next release's files: ${names}`);
    assert.deepEqual(names.filter((name) => !next.has(name)), [], 'a file of another build');
    assert.deepEqual(await page.evaluate((files) => [...document.querySelectorAll('link[rel=stylesheet], script[src]')]
      .map((e) => e.getAttribute('href') ?? e.getAttribute('src')).filter((file) => !files.includes(file)), [...next]), []);
    // The visit found the next release's worker, which now waits.
    await page.waitForFunction(() => navigator.serviceWorker.getRegistration().then((r) => r.waiting !== null),
      { polling: 100 });
    await page.close();

    // Once no page of the old release is open, the new worker takes over
    // and the old build's cache is gone; offline, the next release plays.
    // A page that opens while the old worker still holds on is its client
    // again, so the check looks anew from a fresh page until then.
    let keys = [];
    for (let look = 0; look < 20 && (keys.length !== 1 || keys[0] !== cacheOf('test-site-next')); ++look) {
      await new Promise((done) => setTimeout(done, 500));
      page = await watchedPage(context);
      await page.goto(url());
      keys = await page.evaluate(() => caches.keys());
      await page.close();
    }
    assert.deepEqual(keys, [cacheOf('test-site-next')], 'only the next release is kept');
    await server.close();
    page = await watchedPage(context);
    await page.goto(url());
    await ready(page);
    assert.ok(filesOf('test-site-next').includes(await page.$eval('script[src]', (e) => e.getAttribute('src'))),
      'the next release\'s module');
    assert.equal(await playRound(page), '-u-', 'the next release offline');
    assert.deepEqual(await page.evaluate(() => window.violations), []);
    await context.close();
  });
});
