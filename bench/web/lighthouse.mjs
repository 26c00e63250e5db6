// SPDX-License-Identifier: GPL-3.0-or-later
// Runs Lighthouse on BUILD/site/, served by web/serve.mjs from a process of
// its own as scripts/play-web serves it, once as a phone and once as a
// desktop, and prints the scores and paint times of each.
//   node bench/web/lighthouse.mjs BUILD
import { spawn } from 'node:child_process';
import { mkdirSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import lighthouse from 'lighthouse';
import * as chromeLauncher from 'chrome-launcher';

const build = resolve(process.argv[2] || 'build-web');
const server = spawn(process.execPath, [fileURLToPath(new URL('../../web/serve.mjs', import.meta.url)), join(build, 'site'), '0'],
  { stdio: ['ignore', 'pipe', 'inherit'] });
const port = await new Promise((done) => server.stdout.once('data', (line) => done(String(line).match(/:(\d+)\//)[1])));
const url = `http://127.0.0.1:${port}/`;
const profile = mkdtempSync(join(tmpdir(), 'galgen-lighthouse-'));
const chrome = await chromeLauncher.launch({
  chromePath: process.env.CHROMIUM || '/usr/bin/chromium',
  userDataDir: profile,
  chromeFlags: ['--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'],
});
const reports = join(build, 'lighthouse');
mkdirSync(reports, { recursive: true });
try {
  for (const formFactor of ['mobile', 'desktop']) {
    const config = formFactor === 'desktop'
      ? (await import('lighthouse/core/config/desktop-config.js')).default
      : undefined;
    const result = await lighthouse(url, { port: chrome.port, output: 'html', logLevel: 'error' }, config);
    writeFileSync(join(reports, `${formFactor}.html`), result.report);
    const { categories, audits } = result.lhr;
    const scores = Object.values(categories).map((c) => `${c.title} ${Math.round(c.score * 100)}`).join(', ');
    const ms = (id) => `${audits[id].displayValue}`;
    console.log(`${formFactor}: ${scores}; first paint ${ms('first-contentful-paint')}, largest paint ${ms('largest-contentful-paint')}`);
    for (const c of Object.values(categories))
      for (const ref of c.auditRefs)
        if (audits[ref.id].score !== null && audits[ref.id].score < 1 && ref.weight > 0)
          console.log(`  ${c.title}: ${audits[ref.id].title} (${audits[ref.id].displayValue || audits[ref.id].score})`);
  }
} finally {
  await chrome.kill();
  server.kill();
  rmSync(profile, { recursive: true, force: true });
}
