// SPDX-License-Identifier: GPL-3.0-or-later
// The README's picture of the web edition: a round in headless chromium on
// the test site, with a word and misses chosen to match the desktop
// screenshot.   node tests/web/screenshot.mjs [FILE] [SCALE]
import { resolve } from 'node:path';
import { openBrowser, openGame } from './browser.mjs';

const [file = 'docs/web-screenshot.png', scale = '1'] = process.argv.slice(2);
const banane = 16;
const session = await openBrowser();
try {
  const game = await openGame(session, { scale: Number(scale) });
  await game.startRound(banane);
  await game.type('nexqzy');
  await game.page.screenshot({ path: resolve(file), type: 'png' });
  console.log(resolve(file));
} finally {
  await session.close();
}
