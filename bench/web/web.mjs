// SPDX-License-Identifier: GPL-3.0-or-later
// Benchmarks of the web edition (bench/web runs this after a build):
//  1. transfer size, gzipped: the page with its script, style and module,
//     the fonts, the pictures and icons;
//  2. start: from navigation until the start screen is painted, in headless
//     chromium, on a first visit (a fresh profile, so no service worker),
//     against a static page of the same ground with one label and one
//     button: with its style inline (floor.html), and under the game's
//     strict policy, which wants the style in a file of its own
//     (floor-strict.html); medians of interleaved runs;
//  3. keys: from a key in the "?" box until the handler has updated the
//     DOM, median and worst of many keys.
//   node bench/web.mjs [RUNS] [KEYS]     (default 21 and 1000)
import { readdirSync, readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';
import { buildDir, openBrowser, questionMark, serve } from '../../tests/web/browser.mjs';

const [runs = 21, keyCount = 1000] = process.argv.slice(2).map(Number);
const site = join(buildDir, 'site');
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const kb = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;

// 1. Transfer size.
const gz = (file) => gzipSync(readFileSync(join(site, file)), { level: 9 }).length;
const sum = (folder, pattern) => readdirSync(join(site, folder)).filter((f) => pattern.test(f))
  .reduce((total, f) => total + gz(join(folder, f)), 0);
const page = sum('.', /^(index\.html|.*\.(js|css|wasm))$/);
console.log(`transfer, gzip: page with script, style and module ${kb(page)} (target <= 150 KB); `
  + `fonts ${kb(sum('fonts', /\.woff2$/))}, where the system lacks them; pictures ${kb(sum('pictures', /\.svg$/))}; `
  + `icons ${kb(sum('icons', /\.png$/))}`);

// 2. Start, measured twice in each load. The browser's largest contentful
// paint: the start screen's largest text, fonts and all, painted. And the
// probe, which runs in the page before its own scripts: it waits for a
// button, the fonts and the next frame, and notes the time since the
// navigation began.
const probe = () => {
  window.__largest = new Promise((done) => new PerformanceObserver((list) => {
    const entries = list.getEntries();
    done(entries[entries.length - 1].startTime);
  }).observe({ type: 'largest-contentful-paint', buffered: true }));
  window.__painted = new Promise((done) => {
    const check = () => {
      if (!document.querySelector('button')) return false;
      document.fonts.ready.then(() => requestAnimationFrame(() => setTimeout(() => done(performance.now()), 0)));
      return true;
    };
    if (!check()) {
      const watch = new MutationObserver(() => { if (check()) watch.disconnect(); });
      document.addEventListener('DOMContentLoaded', () => { if (check()) watch.disconnect(); });
      watch.observe(document, { childList: true, subtree: true });
    }
  });
};
const session = await openBrowser();
const floorServer = await serve(dirname(fileURLToPath(import.meta.url)));
const pages = {
  game: `${session.origin}/site/`,
  strict: `${floorServer.origin}/floor-strict.html`,
  inline: `${floorServer.origin}/floor.html`,
};
async function start(url) {
  const context = await session.browser.createBrowserContext();
  const tab = await context.newPage();
  await tab.setCacheEnabled(false);
  await tab.setViewport({ width: 483, height: 449 });
  await tab.evaluateOnNewDocument(probe);
  await tab.goto(url);
  const times = await tab.evaluate(() => Promise.all([window.__largest, window.__painted]));
  await context.close();
  return times;
}
const times = Object.fromEntries(Object.keys(pages).map((name) => [name, [[], []]]));
for (const url of Object.values(pages)) await start(url);   // warms the browser and the file cache
for (let i = 0; i < runs; ++i) {
  for (const [name, url] of Object.entries(pages)) {
    const [largest, painted] = await start(url);
    times[name][0].push(largest);
    times[name][1].push(painted);
  }
}
for (const [measure, which] of [['largest contentful paint', 0], ['probe (fonts ready, then a frame)', 1]]) {
  const [g, fs, fi] = ['game', 'strict', 'inline'].map((name) => median(times[name][which]));
  console.log(`start until painted, ${measure}, median of ${runs}: game ${g.toFixed(1)} ms; `
    + `floor under the strict policy ${fs.toFixed(1)} ms, ratio ${(g / fs).toFixed(2)} (target <= 1.15); `
    + `floor with inline style ${fi.toFixed(1)} ms, ratio ${(g / fi).toFixed(2)}`);
}

// 3. Keys, on the shipped page. A capturing listener on the window sees the
// keydown first, a bubbling one last, after the box's handler has changed
// the DOM; the page is cross-origin isolated for a 5 us clock.
const isolated = await serve(buildDir, { isolated: true });
const tab = await session.browser.newPage();
await tab.setViewport({ width: 483, height: 449 });
await tab.goto(`${isolated.origin}/site/`);
await tab.waitForSelector('#form[data-ready]');
await tab.evaluate(() => {
  window.__keys = [];
  let t0 = 0;
  addEventListener('keydown', () => { t0 = performance.now(); }, true);
  addEventListener('keydown', () => { window.__keys.push(performance.now() - t0); });
});
const roundOver = () => tab.evaluate(() => ['teil10', 'teil11']
  .some((n) => !document.querySelector(`[data-name=${n}]`).hasAttribute('hidden')));
const letters = 'enrisatdhulgocmbfkwzpvjyxq';
const ends = new Set();   // keys that ended a round
await tab.mouse.click(...questionMark);
for (let i = 0; i < keyCount; ++i) {
  await tab.keyboard.press(letters[i % letters.length]);
  if (await roundOver()) {
    ends.add(i);
    await tab.click('[data-name=spielneu]');
    await tab.mouse.click(...questionMark);
  }
}
const keys = await tab.evaluate(() => window.__keys);
if (process.env.GALGEN_BENCH_DETAIL) console.log(keys.map((t, i) => [t, i]).sort((a, b) => b[0] - a[0]).slice(0, 8).map(([t, i]) => `#${i}${ends.has(i) ? ' (end)' : ''} ${(t * 1000).toFixed(0)} µs`).join(", "));
const us = (ms) => `${(ms * 1000).toFixed(0)} µs`;
console.log(`key until the DOM is updated, ${keys.length} keys: median ${us(median(keys))}, worst ${us(Math.max(...keys))} (target < 1 ms)`);
// The same measure on a plain text box the benchmark adds to the page: what
// the browser's own dispatch and the machine's noise cost without the game.
await tab.evaluate(() => {
  const plain = document.createElement('input');
  plain.id = 'plain';
  document.body.append(plain);
  window.__keys = [];
});
await tab.focus('#plain');
for (let i = 0; i < keyCount; ++i) await tab.keyboard.press(letters[i % letters.length]);
const plain = await tab.evaluate(() => window.__keys);
console.log(`the same on a plain text box without the game, ${plain.length} keys: median ${us(median(plain))}, worst ${us(Math.max(...plain))}`);
const resolution = await tab.evaluate(() => crossOriginIsolated);
if (!resolution) console.log('note: the page was not cross-origin isolated; the clock is coarse');
floorServer.close();
isolated.close();
await session.close();
