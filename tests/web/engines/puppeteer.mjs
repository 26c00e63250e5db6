// SPDX-License-Identifier: GPL-3.0-or-later
// What chromium and firefox have in common under puppeteer-core: a page of
// its own for each game, and the mouse, keys and screenshots through
// puppeteer's own calls. Each browser adds how it types and inserts text.
export class PuppeteerPage {
  static async open(browser, url, { width, height, scale }) {
    const page = await browser.newPage();
    await page.setViewport({ width, height, deviceScaleFactor: scale });
    const adapter = new this(page);
    page.on('pageerror', (e) => adapter.errors.push(e.message));
    await page.goto(url);
    return adapter;
  }

  constructor(page) {
    this.page = page;
    this.errors = [];
  }

  evaluate(fn, ...args) {
    return this.page.evaluate(fn, ...args);
  }

  // A click at that point of the viewport, in CSS pixels, with the left
  // button or the right.
  mouseClick(x, y, button = 'left') {
    return this.page.mouse.click(x, y, { button });
  }

  // One key, by its DOM key name, with the modifiers held.
  async press(key, modifiers = []) {
    for (const m of modifiers) await this.page.keyboard.down(this.keyValue(m));
    await this.page.keyboard.press(this.keyValue(key));
    for (const m of [...modifiers].reverse()) await this.page.keyboard.up(this.keyValue(m));
  }

  // How this browser's protocol names a key; chromium's takes DOM names.
  keyValue(key) {
    return key;
  }

  screenshot() {
    return this.page.screenshot({ type: 'png' });
  }

  close() {
    return this.page.close();
  }
}
