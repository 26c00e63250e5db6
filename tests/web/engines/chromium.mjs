// SPDX-License-Identifier: GPL-3.0-or-later
// Debian's chromium, headless, under puppeteer-core over the DevTools
// protocol, which can press a key of any keyboard layout and drive an input
// method.
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';
import { PuppeteerPage } from './puppeteer.mjs';

export async function launch() {
  const profile = mkdtempSync(join(tmpdir(), 'galgen-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--font-render-hinting=none',
      `--user-data-dir=${profile}`],
    timeout: 120_000,   // a first start on two busy cores
  });
  return {
    browser,
    open: (url, viewport) => ChromiumPage.open(browser, url, viewport),
    async close() {
      await browser.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

class ChromiumPage extends PuppeteerPage {
  async send(method, parameters) {
    this.cdp ??= await this.page.createCDPSession();
    return this.cdp.send(method, parameters);
  }

  // A key of a keyboard whose layout has that character, as the browser
  // gets it from the system: a keydown with the character, then its input.
  async typeCharacter(character) {
    await this.send('Input.dispatchKeyEvent',
      { type: 'keyDown', key: character, text: character, unmodifiedText: character });
    await this.send('Input.dispatchKeyEvent', { type: 'keyUp', key: character });
  }

  // The player's system settings as media features, e.g.
  // [{ name: 'prefers-contrast', value: 'more' }]; the page's style follows
  // them at once.
  emulateMedia(features) {
    return this.send('Emulation.setEmulatedMedia', { features });
  }

  // Text with no key event, as an on-screen keyboard sends it.
  insertText(text) {
    return this.send('Input.insertText', { text });
  }

  // An input method's composition, as it grows, then committed.
  async compose(texts, commit) {
    for (const text of texts)
      await this.send('Input.imeSetComposition', { text, selectionStart: text.length, selectionEnd: text.length });
    await this.insertText(commit);
  }

  // A dead key opens a composition with its accent; the next key commits
  // the composed character.
  async dead(accent, commit) {
    await this.send('Input.dispatchKeyEvent', { type: 'keyDown', key: 'Dead' });
    await this.send('Input.imeSetComposition', { text: accent, selectionStart: 1, selectionEnd: 1 });
    await this.send('Input.dispatchKeyEvent', { type: 'keyUp', key: 'Dead' });
    await this.insertText(commit);
  }
}
