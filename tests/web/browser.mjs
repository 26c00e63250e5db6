// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers of the browser tests and benchmarks: the built sites served from
// build-web/; a game in one of three browser engines (Debian's chromium,
// firefox-esr and WebKitGTK, each in engines/) behind one driver; and the
// player's view of the game: texts, visible controls, focus, the spoken
// status and the pixels of a screenshot.
import { readFileSync } from 'node:fs';
import { basename, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { PNG } from 'pngjs';
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
  roundHeadline: 'Errate das geheime Wort oder es wird dir schlecht ergehen !!',
};

// Rows of the built-in word list.
export const row = { elefant: 3, loeffel: 17, hut: 89 };

const engines = {
  chromium: () => import('./engines/chromium.mjs'),
  firefox: () => import('./engines/firefox.mjs'),
  webkit: () => import('./engines/webkit.mjs'),
};

// Starts the server and a browser (chromium unless named); close() ends
// both. For chromium and firefox, browser is puppeteer's Browser.
export async function openBrowser({ engine = 'chromium', isolated = false } = {}) {
  const server = await serve(buildDir, { isolated });
  let launched;
  try {
    launched = await (await engines[engine]()).launch();
  } catch (error) {
    server.close();
    throw error;
  }
  return {
    engine,
    browser: launched.browser,
    origin: server.origin,
    open: launched.open,
    // Why this browser cannot run a case's steps, or nothing.
    skips: launched.skips,
    async close() {
      await launched.close();
      server.close();
    },
  };
}

// A new page (puppeteer's, of a browser or a browser context) that keeps,
// from its first script on, what the content security policy refused
// (window.violations) and the warnings and errors its scripts log
// (window.logged).
export async function watched(context) {
  const page = await context.newPage();
  await page.setViewport({ width: 483, height: 449 });
  await page.evaluateOnNewDocument(() => {
    window.violations = [];
    addEventListener('securitypolicyviolation', (e) => window.violations.push(`${e.violatedDirective} ${e.blockedURI}`));
    window.logged = [];
    for (const level of ['warn', 'error']) {
      const log = console[level];
      console[level] = (...parts) => {
        window.logged.push(`${level}: ${parts.join(' ')}`);
        log.apply(console, parts);
      };
    }
  });
  return page;
}

// What the service worker of a built site keeps: the files it lists, as
// the site names them, and its cache's name.
export function workerOf(site) {
  const worker = readFileSync(join(site, 'sw.js'), 'utf8');
  return {
    files: JSON.parse(worker.match(/const FILES = (.*);/)[1]),
    cache: worker.match(/const CACHE = "(.*)";/)[1],
  };
}

// Opens the test site (or the shipped one) on a page of that size and waits
// for the start screen with its fonts, and for the engine to have the form;
// or, held, for the test site's module to hold its start (test_main.cpp)
// until release().
export async function openGame(session, { site = 'test-site', width = 483, height = 449, scale = 1, held = false } = {}) {
  const url = `${session.origin}/${site}/${held ? '?held' : ''}`;
  const game = new Game(await session.open(url, { width, height, scale }));
  await game.evaluate(until, held ? 'held' : 'started');
  return game;
}

// In the page: waits until the engine has the form (started: or an "Ende"
// kept from before has ended the game), or until the test site's module
// holds its start (held); then for the fonts. Keeps the page's uncaught
// errors from its first call on.
function until(what) {
  if (!window.galgenErrors) {
    window.galgenErrors = [];
    addEventListener('error', (e) => window.galgenErrors.push(e.message));
    addEventListener('unhandledrejection', (e) => window.galgenErrors.push(String(e.reason)));
  }
  const holds = what === 'held' ? () => typeof window.galgenTestStart === 'function'
    : () => document.querySelector('#form[data-ready]') !== null || !document.getElementById('ended').hidden;
  return new Promise((done) => {
    const look = () => (holds() ? document.fonts.ready.then(() => done()) : setTimeout(look, 5));
    look();
  });
}

// In the page: what the player sees. Shown: those of the watched controls
// that are visible, hidden neither themselves nor by a container; texts: a
// label's caption, a button's, or a text box's value, for the names given.
function readState(watch, names) {
  const at = (name) => document.querySelector(`[data-name="${name}"]`);
  const text = (e) => (e.tagName === 'INPUT' ? e.value : e.textContent);
  return {
    shown: watch.filter((name) => at(name) && !at(name).closest('[hidden]')),
    texts: Object.fromEntries(names.map((name) => [name, at(name) ? text(at(name)) : null])),
    focus: document.activeElement?.dataset?.name ?? document.activeElement?.tagName ?? null,
    spoken: document.getElementById('status').textContent,
  };
}

// In the page: a file dropped on the form, as a file manager's drag brings
// it, whose drag over the form and drop the page keeps from the browser
// (which would open the file in the game's place); done once the game has
// taken it, that is spoken or shown a message, or at once where the engine
// is held and takes it only once started.
function dropInPage(name, base64, wait) {
  const data = new DataTransfer();
  data.items.add(new File([Uint8Array.from(atob(base64), (c) => c.charCodeAt(0))], name, { type: 'text/plain' }));
  const status = document.getElementById('status');
  const dialog = document.getElementById('error');
  const before = status.firstChild;
  const taken = new Promise((done, fail) => {
    const watch = new MutationObserver(() => {
      if (!dialog.open && status.firstChild === before) return;
      watch.disconnect();
      done();
    });
    watch.observe(document.body, { childList: true, subtree: true, attributes: true, attributeFilter: ['open'] });
    setTimeout(() => fail(new Error(`the game took no file ${name}`)), 5000);
  });
  const form = document.getElementById('form');
  const browsers = ['dragenter', 'dragover', 'drop']
    .map((type) => form.dispatchEvent(new DragEvent(type, { dataTransfer: data, bubbles: true, cancelable: true })));
  if (browsers[1] || browsers[2]) return Promise.reject(new Error(`the browser would open ${name} in the game's place`));
  return wait ? taken : undefined;
}

// In the page: the rectangle a control is laid out in, in form pixels, read
// from its computed style, which holds it whether or not the control is
// shown.
function laidOut(name) {
  const form = document.getElementById('form');
  const control = document.querySelector(`[data-name="${name}"]`);
  const style = (e, side) => parseFloat(getComputedStyle(e)[side]);
  const size = (e, side) => style(e, side) || parseFloat(e.getAttribute(side));
  let x = 0;
  let y = 0;
  for (let e = control; e !== form; e = e.parentElement) {
    x += style(e, 'left');
    y += style(e, 'top');
  }
  return { x, y, width: size(control, 'width'), height: size(control, 'height') };
}

// In the page: where the form lies in the viewport, and how far it is
// scaled. A click on pixel (x, y) of the form lands on the pixel's centre,
// (x + 0.5, y + 0.5), as a click on the desktop lands on the pixel.
function formInViewport() {
  const form = document.getElementById('form');
  const r = form.getBoundingClientRect();
  return { left: r.x, top: r.y, scale: r.width / form.offsetWidth };
}

// The game in one browser, driven as a player would: real clicks and keys,
// and the test site's hooks for the words drawn and the key codes logged.
export class Game {
  constructor(browser) {
    this.browser = browser;   // the engine's page: engines/*.mjs
    this.page = browser.page;   // puppeteer's Page, for chromium and firefox
  }

  // The page's errors that puppeteer has reported.
  get errors() {
    return this.browser.errors;
  }
  // Every uncaught error of the page, as far as the browser reports them.
  async pageErrors() {
    return [...this.browser.errors, ...await this.evaluate(() => window.galgenErrors ?? [])];
  }

  evaluate(fn, ...args) {
    return this.browser.evaluate(fn, ...args);
  }

  // A game opened held: whether the engine is still to start, and its
  // start, until it has the form or an early "Ende" has ended the game.
  held() {
    return this.evaluate(() => typeof window.galgenTestStart === 'function' && !document.querySelector('[data-ready]'));
  }
  async release() {
    await this.evaluate(() => window.galgenTestStart());
    await this.evaluate(until, 'started');
  }

  // Words to draw, by row of the word list, and raw random values.
  pushRows(...rows) {
    return this.evaluate((rs) => rs.forEach((r) => Module._galgen_test_push_row(r)), rows);
  }
  push(value) {
    return this.evaluate((v) => Module._galgen_test_push(v), value);
  }
  // The key codes that reached the KeyPress handler since the last call.
  async keyLog() {
    const log = await this.evaluate(() => Module.ccall('galgen_test_take_key_log', 'string', [], []));
    return log.split(',').filter(Boolean).map(Number);
  }

  // A real left click on a pixel of the form, on whatever lies on top there.
  // The form's place in the viewport is read once: a game's viewport keeps
  // its size.
  async clickAt([x, y]) {
    this.form ??= await this.evaluate(formInViewport);
    const { left, top, scale } = this.form;
    await this.browser.mouseClick(left + (x + 0.5) * scale, top + (y + 0.5) * scale);
  }
  // The rectangle a control is laid out in, in form pixels; the layout
  // never changes.
  async placeOf(name) {
    this.places ??= new Map();
    if (!this.places.has(name)) this.places.set(name, await this.evaluate(laidOut, name));
    return this.places.get(name);
  }
  // A real left click on the pixel at the centre of the control's laid-out
  // rectangle.
  async click(name) {
    const r = await this.placeOf(name);
    await this.clickAt([Math.floor(r.x + r.width / 2), Math.floor(r.y + r.height / 2)]);
  }
  // The control's click as assistive technology makes it: no mouse, no
  // pixel, the element's own click.
  activate(name) {
    return this.evaluate((n) => document.querySelector(`[data-name="${n}"]`).click(), name);
  }
  async startRound(wordRow) {
    await this.pushRows(wordRow);
    await this.clickAt(questionMark);
  }

  // Each character as a key of a keyboard that has it.
  async type(text) {
    for (const character of text) await this.browser.typeCharacter(character);
  }
  // One key by its DOM name, with modifiers held.
  press(key, modifiers = []) {
    return this.browser.press(key, modifiers);
  }
  // Text that comes with no key event.
  input(text) {
    return this.browser.insertText(text);
  }
  // An input method's composition growing through texts, then committed.
  compose(texts, commit) {
    return this.browser.compose(texts, commit);
  }
  // A dead key, then the key that composes with it.
  dead(accent, commit) {
    return this.browser.dead(accent, commit);
  }

  // The player drops a file of the project (a path from its folder) on the
  // form; held, the game takes it once started, and taken() waits for that.
  dropFile(path, { held = false } = {}) {
    return this.evaluate(dropInPage, basename(path), readFileSync(resolve(root, path)).toString('base64'), !held);
  }
  taken() {
    return this.evaluate(() => new Promise((done) => {
      const look = () => (document.getElementById('status').textContent || document.getElementById('error').open
        ? done() : setTimeout(look, 5));
      look();
    }));
  }

  // What the player sees: the watched controls that are visible, the texts
  // of the controls named, the focus and the spoken status.
  state(watch = [], names = []) {
    return this.evaluate(readState, watch, names);
  }
  // The run-time error that the page shows, or null.
  error() {
    return this.evaluate(() => {
      const dialog = document.getElementById('error');
      return dialog.open ? dialog.querySelector('.message').textContent : null;
    });
  }
  // Closes the error message with a click on its OK.
  async dismissError() {
    const [x, y] = await this.evaluate(() => {
      const r = document.querySelector('#error button').getBoundingClientRect();
      return [r.x + r.width / 2, r.y + r.height / 2];
    });
    await this.browser.mouseClick(x, y);
  }
  // Whether "Ende" has ended the game: the form is gone, the note shows.
  ended() {
    return this.evaluate(() => document.getElementById('form') === null && !document.getElementById('ended').hidden);
  }

  // The screenshot as a pixel reader in form pixels.
  async screen() {
    const scale = await this.evaluate(() => devicePixelRatio);
    return screenOf(PNG.sync.read(await this.browser.screenshot()), scale);
  }

  close() {
    return this.browser.close();
  }
}

// A pixel reader of a screenshot taken at that device pixel ratio.
function screenOf(png, scale) {
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

// A pixel of each block and beam of the gallows, in form pixels, with the
// colour the layout gives it.
export const drawnParts = [
  { name: 'teil1', at: onPanel(20, 296), colour: colour.brown },
  { name: 'teil2', at: onPanel(140, 295), colour: colour.brown },
  { name: 'teil3', at: onPanel(400, 280), colour: colour.brown },
  { name: 'teil5', at: onPanel(420, 150), colour: colour.darkRed },
  { name: 'teil6', at: onPanel(380, 20), colour: colour.darkRed },
  { name: 'teil7', at: onPanel(370, 58), colour: colour.darkRed },
];

// Which gallows parts the screenshot shows: the blocks and beams by a pixel
// of their colour, the labels by their text's colour, the picture boxes by
// ink in their boxes.
export async function partsShown(game) {
  const s = await game.screen();
  const same = (p, c) => p.every((v, i) => v === c[i]);
  const acquittal = s.inked(...onPanel(162, 124), 80, 16) > 100;
  const drawn = (name) => {
    const part = drawnParts.find((p) => p.name === name);
    return same(s.pixel(...part.at), part.colour);
  };
  // The acquittal covers the boxes of teil4 and teil9, and shows only after
  // the win has hidden them.
  const probes = [
    [1, () => drawn('teil1')],
    [2, () => drawn('teil2')],
    [3, () => drawn('teil3')],
    [4, () => !acquittal && s.inked(...onPanel(290, 124), 40, 100) > 200],
    [5, () => drawn('teil5')],
    [6, () => drawn('teil6')],
    [7, () => drawn('teil7')],
    [8, () => s.inked(...onPanel(237, 40), 41, 80) > 200],
    [9, () => !acquittal && s.inked(...onPanel(157, 140), 45, 120) > 200],
    [10, () => s.count(...onPanel(19, 34), 179, 74, colour.red) > 200],
    [11, () => s.count(...onPanel(131, 19), 219, 87, colour.darkGreen) > 200],
    [12, () => acquittal],
  ];
  return probes.filter(([, shown]) => shown()).map(([n]) => `teil${n}`);
}
