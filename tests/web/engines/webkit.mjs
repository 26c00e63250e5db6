// SPDX-License-Identifier: GPL-3.0-or-later
// Debian's WebKitGTK: WebKitWebDriver starts its MiniBrowser, driven by
// selenium-webdriver over classic WebDriver, on an X server of its own
// (Xvfb) where there is no display. Clicks and keys go through WebDriver's
// Actions, which WebKit turns into real input events; one window serves
// every game, each loaded afresh.
import { spawn } from 'node:child_process';
import { createServer } from 'node:net';
import { setTimeout as sleep } from 'node:timers/promises';
import { Builder, Button, Origin } from 'selenium-webdriver';
import { textInputInPage, webDriverKey } from './webdriver.mjs';

const miniBrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';

// A child process that says something on its standard output once ready.
function start(command, args, env) {
  const child = spawn(command, args, { stdio: ['ignore', 'pipe', 'inherit'], env });
  const ready = new Promise((done, fail) => {
    child.stdout.once('data', (text) => done(String(text)));
    child.once('error', fail);
    child.once('exit', (code) => fail(new Error(`${command} ended: ${code}`)));
  });
  return { child, ready };
}

async function freePort() {
  const server = createServer();
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  const { port } = server.address();
  await new Promise((done) => server.close(done));
  return port;
}

// Waits, a few seconds at most, until the driver answers.
async function waitForDriver(url) {
  for (let i = 0; i < 100; ++i) {
    try {
      if ((await fetch(`${url}/status`)).ok) return;
    } catch {
      // not listening yet
    }
    await sleep(50);
  }
  throw new Error(`WebKitWebDriver did not answer at ${url}`);
}

export async function launch() {
  const children = [];
  // Should the test process end without closing the browser, its helpers
  // end with it.
  const end = () => children.forEach((child) => child.kill());
  process.once('exit', end);
  const env = { ...process.env };
  try {
    if (!env.DISPLAY) {
      const xvfb = start('Xvfb', ['-displayfd', '1', '-nolisten', 'tcp', '-screen', '0', '1280x1024x24']);
      children.push(xvfb.child);
      env.DISPLAY = `:${(await xvfb.ready).trim()}`;
      // A window manager gives MiniBrowser's window the focus, as on a
      // desktop: without it the page never has the focus, and no control
      // matches :focus.
      children.push(spawn('openbox', ['--sm-disable'], { stdio: 'ignore', env }));
    }
    const port = await freePort();
    const driverProcess = spawn('/usr/bin/WebKitWebDriver', [`--port=${port}`],
      { stdio: ['ignore', 'ignore', 'inherit'], env });
    children.push(driverProcess);
    const url = `http://127.0.0.1:${port}`;
    await waitForDriver(url);
    const driver = await new Builder().usingServer(url).withCapabilities({
      browserName: 'MiniBrowser',
      'webkitgtk:browserOptions': { binary: miniBrowser, args: ['--automation'] },
    }).build();
    const window = new WebKitWindow(driver);
    return {
      driver,
      open: (pageUrl, viewport) => window.open(pageUrl, viewport),
      skips,
      async close() {
        await driver.quit();
        end();
        process.off('exit', end);
      },
    };
  } catch (error) {
    end();
    process.off('exit', end);
    throw error;
  }
}

// Why a case cannot run here, if it cannot: after a click has focused a
// button of the form, WebKitGTK keeps the focus there on Shift+Tab (its
// keydown's key is "Unidentified") until a Tab has moved it.
function skips(steps) {
  let clicked = false;
  for (const step of steps) {
    if ('click' in step || 'clickAt' in step) clicked = true;
    if (step.key === 'Tab') {
      if (clicked && step.modifiers?.includes('Shift')) return 'WebKitGTK keeps the focus on a clicked button on Shift+Tab';
      clicked = false;
    }
  }
  return null;
}

class WebKitWindow {
  constructor(driver) {
    this.driver = driver;
    this.errors = [];   // WebDriver reports no page errors; the page's own listener does
    this.size = '';
  }

  // Loads the page afresh in a viewport of that size.
  async open(url, { width, height, scale }) {
    if (scale !== 1) throw new Error('WebKitGTK runs here at one device pixel per CSS pixel only');
    if (this.size !== `${width}x${height}`) await this.resize(width, height);
    await this.driver.get(url);
    return this;
  }

  // Sizes the window so that its viewport has that size; the window's size
  // includes MiniBrowser's toolbar, and the window manager resizes it in
  // its own time.
  async resize(width, height) {
    const window = this.driver.manage().window();
    for (let i = 0; i < 40; ++i) {
      const [w, h] = await this.evaluate(() => [innerWidth, innerHeight]);
      if (w === width && h === height) {
        this.size = `${width}x${height}`;
        return;
      }
      const outer = await window.getRect();
      await window.setRect({ width: outer.width + width - w, height: outer.height + height - h });
      await sleep(50);
    }
    throw new Error(`MiniBrowser's viewport does not take the size ${width}x${height}`);
  }

  evaluate(fn, ...args) {
    return this.driver.executeScript(fn, ...args);
  }

  // WebKit's WebDriver moves the pointer in whole CSS pixels: a point
  // inside a pixel is that pixel's own coordinates.
  mouseClick(x, y, button = 'left') {
    const pressed = button === 'right' ? Button.RIGHT : Button.LEFT;
    return this.driver.actions().move({ origin: Origin.VIEWPORT, x: Math.floor(x), y: Math.floor(y), duration: 0 })
      .press(pressed).release(pressed).perform();
  }

  async press(key, modifiers = []) {
    let actions = this.driver.actions();
    for (const m of modifiers) actions = actions.keyDown(webDriverKey(m));
    actions = actions.keyDown(webDriverKey(key)).keyUp(webDriverKey(key));
    for (const m of [...modifiers].reverse()) actions = actions.keyUp(webDriverKey(m));
    await actions.perform();
  }

  typeCharacter(character) {
    return this.driver.actions().keyDown(character).keyUp(character).perform();
  }

  async screenshot() {
    return Buffer.from(await this.driver.takeScreenshot(), 'base64');
  }

  close() {}
}
// Text input without a key, made in the page.
Object.assign(WebKitWindow.prototype, textInputInPage);
