// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers of the browser tests and benchmarks: Debian's chromium, headless,
// under puppeteer-core; the built sites served from build-web/; and the
// player's view of the game: texts, visible parts, focus and the pixels of
// a screenshot.
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { PNG } from 'pngjs';
import puppeteer from 'puppeteer-core';
import { serve } from './server.mjs';

export { serve };

const root = resolve(fileURLToPath(import.meta.url), '../../..');
export const buildDir = resolve(root, process.env.WEB_BUILD_DIR || 'build-web');

// Colours of the layout.
export const colour = {
  lightYellow: [255, 255, 128], white: [255, 255, 255], red: [255, 0, 0], darkBlue: [0, 0, 64],
  brown: [192, 64, 0], darkRed: [64, 0, 0], darkGreen: [0, 64, 0],
};
// A point of the panel item9a in form pixels.
export const onPanel = (x, y) => [x + 2, y + 132];
export const questionMark = [243, 83];

export const texts = {
  startHeadline: 'Worteraten mit dem Galgenmännchen',
  startInstruction: 'Starte das Spiel, indem du auf das rote Fragezeichen unter diesem Satz klickst !',
  roundHeadline: 'Errate das geheime Wort oder es wird dir schlecht ergehen !!',
  exhausted: 'Alle Worte verbraucht !!!',
};

// Rows of the built-in word list.
export const row = { elefant: 3, loeffel: 17, hut: 89 };

// Starts the server and chromium; close() ends both.
export async function openBrowser({ isolated = false } = {}) {
  const server = await serve(buildDir, { isolated });
  const profile = mkdtempSync(join(tmpdir(), 'galgen-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--font-render-hinting=none',
      `--user-data-dir=${profile}`],
  });
  return {
    browser,
    origin: server.origin,
    async close() {
      await browser.close();
      server.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

// Opens the test site (or the shipped one) on a page of that size and waits
// for the start screen with its fonts.
export async function openGame(session, { site = 'test-site', width = 483, height = 449, scale = 1 } = {}) {
  const page = await session.browser.newPage();
  await page.setViewport({ width, height, deviceScaleFactor: scale });
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  await page.goto(`${session.origin}/${site}/`);
  await page.waitForSelector('[data-name=ende]');
  await page.evaluate(() => document.fonts.ready.then(() => undefined));
  return new Game(page, errors);
}

export class Game {
  constructor(page, errors) {
    this.page = page;
    this.errors = errors;
  }

  // Words to draw, by row of the word list, and raw random values.
  pushRows(...rows) {
    return this.page.evaluate((rs) => rs.forEach((r) => Module._galgen_test_push_row(r)), rows);
  }
  push(value) {
    return this.page.evaluate((v) => Module._galgen_test_push(v), value);
  }
  // The key codes that reached the KeyPress handler since the last call.
  async keyLog() {
    const log = await this.page.evaluate(() => Module.ccall('galgen_test_take_key_log', 'string', [], []));
    return log.split(',').filter(Boolean).map(Number);
  }

  // A real mouse click at a point of the form, in form pixels.
  async clickAt([x, y]) {
    const box = await this.page.$eval('#form', (f) => {
      const r = f.getBoundingClientRect();
      return { x: r.x, y: r.y, scale: r.width / f.offsetWidth };
    });
    await this.page.mouse.click(box.x + x * box.scale, box.y + y * box.scale);
  }
  click(name) {
    return this.page.click(`[data-name=${name}]`);
  }
  async startRound(wordRow) {
    await this.pushRows(wordRow);
    await this.clickAt(questionMark);
  }
  type(text) {
    return this.page.keyboard.type(text);
  }
  press(key, modifiers = []) {
    return (async () => {
      for (const m of modifiers) await this.page.keyboard.down(m);
      await this.page.keyboard.press(key);
      for (const m of modifiers.reverse()) await this.page.keyboard.up(m);
    })();
  }

  // What the player sees, read from the DOM.
  state() {
    return this.page.evaluate(() => {
      const at = (name) => document.querySelector(`[data-name=${name}]`);
      const parts = [];
      for (let i = 1; i <= 12; ++i) if (!at(`teil${i}`).hasAttribute('hidden')) parts.push(`teil${i}`);
      return {
        label1: at('Label1').textContent,
        label2: at('Label2').textContent,
        word: at('Fragewort').hidden ? null : at('Fragewort').value,
        hiddenWord: at('Fragewort').value,
        textin: at('textin').value,
        parts,
        focus: document.activeElement?.dataset?.name ?? document.activeElement?.tagName,
      };
    });
  }

  // The screenshot as a pixel reader in form pixels.
  async screen() {
    const scale = await this.page.evaluate(() => devicePixelRatio);
    const png = PNG.sync.read(await this.page.screenshot({ type: 'png' }));
    const pixel = (x, y) => {
      const i = (Math.round(y * scale) * png.width + Math.round(x * scale)) * 4;
      return [png.data[i], png.data[i + 1], png.data[i + 2]];
    };
    return {
      pixel,
      // Pixels of exactly that colour in a rectangle of form pixels.
      count(x, y, w, h, rgb) {
        let n = 0;
        for (let yy = y; yy < y + h; ++yy)
          for (let xx = x; xx < x + w; ++xx) {
            const p = pixel(xx, yy);
            if (p[0] === rgb[0] && p[1] === rgb[1] && p[2] === rgb[2]) ++n;
          }
        return n;
      },
      // Pixels of any colour but white in a rectangle: a picture drawn there.
      inked(x, y, w, h) {
        let n = 0;
        for (let yy = y; yy < y + h; ++yy)
          for (let xx = x; xx < x + w; ++xx) if (pixel(xx, yy).some((c) => c < 200)) ++n;
        return n;
      },
    };
  }
}

// Which gallows parts the screenshot shows: the blocks and beams by a pixel
// of their colour, the labels by their text's colour, the picture boxes by
// ink in their boxes.
export async function partsShown(game) {
  const s = await game.screen();
  const same = (p, c) => p.every((v, i) => v === c[i]);
  const acquittal = s.inked(...onPanel(162, 124), 80, 16) > 100;
  // The acquittal covers the boxes of teil4 and teil9, and shows only after
  // the win has hidden them.
  const probes = [
    [1, () => same(s.pixel(...onPanel(20, 296)), colour.brown)],
    [2, () => same(s.pixel(...onPanel(140, 295)), colour.brown)],
    [3, () => same(s.pixel(...onPanel(400, 280)), colour.brown)],
    [4, () => !acquittal && s.inked(...onPanel(290, 124), 40, 100) > 200],
    [5, () => same(s.pixel(...onPanel(420, 150)), colour.darkRed)],
    [6, () => same(s.pixel(...onPanel(380, 20)), colour.darkRed)],
    [7, () => same(s.pixel(...onPanel(370, 58)), colour.darkRed)],
    [8, () => s.inked(...onPanel(237, 40), 41, 80) > 200],
    [9, () => !acquittal && s.inked(...onPanel(157, 140), 45, 120) > 200],
    [10, () => s.count(...onPanel(19, 34), 179, 74, colour.red) > 200],
    [11, () => s.count(...onPanel(131, 19), 219, 87, colour.darkGreen) > 200],
    [12, () => acquittal],
  ];
  return probes.filter(([, shown]) => shown()).map(([n]) => `teil${n}`);
}
