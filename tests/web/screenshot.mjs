// SPDX-License-Identifier: GPL-3.0-or-later
// The README's picture of the web edition: a round on the test site, with
// a word and misses chosen to match the desktop screenshot, in headless
// chromium or another of the test browsers.
//   node tests/web/screenshot.mjs [FILE] [SCALE] [chromium|firefox|webkit]
import { writeFileSync } from 'node:fs';
import { resolve } from 'node:path';
import { openBrowser, openGame } from './browser.mjs';

const [file = 'docs/web-screenshot.png', scale = '1', engine = 'chromium'] = process.argv.slice(2);
const banane = 16;
const session = await openBrowser({ engine });
try {
  const game = await openGame(session, { scale: Number(scale) });
  await game.startRound(banane);
  await game.type('nexqzy');
  writeFileSync(resolve(file), await game.browser.screenshot());
  console.log(resolve(file));
} finally {
  await session.close();
}
