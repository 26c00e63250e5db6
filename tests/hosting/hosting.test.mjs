// SPDX-License-Identifier: GPL-3.0-or-later
// The nginx and Apache configurations of docs/hosting.md on Debian's real
// servers. Each is taken from the document as it stands, with its folder,
// port and policy file pointed at a temporary root, and the document's own
// line writes the policy file. Each server runs on the loopback as a
// process of this test, with its pid, logs and temporary files in that
// root, under a main configuration like Debian's own. Checked for every
// file of the web tarball, and a teacher's list below it: the type, the
// caching, the policy and the compression the document promises, and "not
// modified" for the files that are revalidated. Then a round in headless
// Chromium with that list: no policy violation, no warning, the service
// worker keeping the build, the page installable. On a failure the
// server's error log shows.
//   GALGEN_WEB_TARBALL=build-web/galgenmaennchen-web-VERSION.tar.gz node --test tests/hosting/hosting.test.mjs
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import { chmodSync, mkdirSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { request } from 'node:http';
import { connect, createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { extname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { after, before, describe, test } from 'node:test';
import { brotliDecompressSync, gunzipSync } from 'node:zlib';
import { texts, watched, workerOf } from '../web/browser.mjs';
import { launch } from '../web/engines/chromium.mjs';

const project = resolve(fileURLToPath(import.meta.url), '../../..');
const tarball = process.env.GALGEN_WEB_TARBALL;
assert.ok(tarball, 'GALGEN_WEB_TARBALL names the web tarball (tests/hosting/run sets it)');
const guide = readFileSync(join(project, 'docs/hosting.md'), 'utf8');

// What the document promises for each kind of file: its type, and whether
// it comes compressed when the browser asks for it.
const kinds = {
  '.html': { type: 'text/html', compressed: true },
  '.js': { type: 'text/javascript', compressed: true },
  '.wasm': { type: 'application/wasm', compressed: true },
  '.webmanifest': { type: 'application/manifest+json', compressed: true },
  '.svg': { type: 'image/svg+xml', compressed: true },
  '.png': { type: 'image/png', compressed: false },
  '.woff2': { type: 'font/woff2', compressed: false },
  '.txt': { type: 'text/plain', compressed: true },
};
// The one file the document promises neither a type nor compression for.
const untyped = new Set(['content-security-policy']);
const immutable = 'public, max-age=31536000, immutable';

// Where the document unpacks the game, and where the game is on the site.
const documentedFolder = '/srv/galgenmaennchen';
const path = '/galgen/';

// A teacher's list in a folder of its own below the game, as the document
// suggests; every word holds an e.
const words = ['Apfel', 'Birne', 'Kirsche', 'Erdbeere', 'Melone', 'Zitrone', 'Pflaume', 'Heidelbeere',
  'Stachelbeere', 'Johannisbeere', 'Brombeere', 'Himbeere', 'Nektarine', 'Mandarine', 'Clementine'];
const list = 'listen/woerter.txt';

// Debian's modules that a fresh apache2 has on, and those the document
// switches on (a2enmod).
const apacheModules = ['access_compat', 'alias', 'auth_basic', 'authn_core', 'authn_file', 'authz_core',
  'authz_host', 'authz_user', 'autoindex', 'deflate', 'dir', 'env', 'filter', 'mime', 'mpm_event',
  'negotiation', 'reqtimeout', 'setenvif', 'status', 'headers', 'brotli'];
const asRoot = process.getuid() === 0;

// The servers: the document's blocks, the values the test puts in for the
// document's, the main configuration around the site's, the command that
// runs the server in the foreground, and the encodings it offers.
const servers = [
  {
    name: 'nginx',
    site: 'nginx',
    policy: 'nginx-policy',
    values: ({ port, dir, folder }) => [
      ['listen 80;', `listen 127.0.0.1:${port};`],
      ['/etc/nginx/galgen-policy.conf', join(dir, 'galgen-policy.conf')],
      [documentedFolder, folder],
    ],
    main: ({ dir }) => `${asRoot ? 'user nobody nogroup;' : ''}
worker_processes 1;
pid ${dir}/nginx.pid;
error_log ${dir}/error.log warn;
events {}
http {
    include /etc/nginx/mime.types;
    default_type application/octet-stream;
    access_log off;
    client_body_temp_path ${dir}/client_body;
    proxy_temp_path ${dir}/proxy;
    fastcgi_temp_path ${dir}/fastcgi;
    uwsgi_temp_path ${dir}/uwsgi;
    scgi_temp_path ${dir}/scgi;
    include ${dir}/site.conf;
}
`,
    command: ({ dir }) => ['/usr/sbin/nginx',
      ['-p', dir, '-c', join(dir, 'main.conf'), '-e', join(dir, 'error.log'), '-g', 'daemon off;']],
    encodings: ['gzip'],
  },
  {
    name: 'Apache',
    site: 'apache',
    policy: 'apache-policy',
    values: ({ port, dir, folder }) => [
      ['<VirtualHost *:80>', `<VirtualHost 127.0.0.1:${port}>`],
      ['/etc/apache2/galgen-policy.conf', join(dir, 'galgen-policy.conf')],
      [documentedFolder, folder],
    ],
    main: ({ dir, port }) => `DefaultRuntimeDir ${dir}
PidFile ${dir}/apache.pid
Mutex file:${dir} default
ErrorLog ${dir}/error.log
LogLevel warn
ServerName 127.0.0.1
Listen 127.0.0.1:${port}
${asRoot ? 'User nobody\nGroup nogroup' : ''}
${apacheModules.map((m) => `LoadModule ${m}_module /usr/lib/apache2/modules/mod_${m}.so`).join('\n')}
TypesConfig /etc/mime.types
<Directory />
    Options FollowSymLinks
    AllowOverride None
    Require all denied
</Directory>
Include ${dir}/site.conf
`,
    command: ({ dir }) => ['/usr/sbin/apache2', ['-f', join(dir, 'main.conf'), '-DFOREGROUND']],
    encodings: ['gzip', 'br'],
  },
];

// The fenced block that follows <!-- hosting-test: NAME --> in the document.
function documented(name) {
  const block = guide.match(new RegExp(`<!-- hosting-test: ${name} -->\\n\`\`\`[a-z]*\\n([^]*?)\`\`\`\\n`));
  assert.ok(block, `docs/hosting.md has no code block marked <!-- hosting-test: ${name} -->`);
  return block[1];
}

// The document's text with the test's values in place of its own.
function filled(text, values) {
  return values.reduce((result, [from, to]) => result.replaceAll(from, to), text);
}

function freePort() {
  return new Promise((done, fail) => {
    const probe = createServer().once('error', fail).listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => done(port));
    });
  });
}

const answers = (port) => new Promise((done) => {
  const socket = connect(port, '127.0.0.1', () => { socket.end(); done(true); });
  socket.once('error', () => done(false));
});

// Starts a server from the document's blocks in a folder of its own; the
// result can tell its error log and stop it.
async function start(server, folder, top) {
  const dir = join(top, server.site);
  mkdirSync(dir);
  const port = await freePort();
  const at = { dir, port, folder };
  const values = server.values(at);
  const [site, policyLine] = [documented(server.site), documented(server.policy)];
  // Each of the document's values must be there, or the test would run
  // something else than the document says.
  for (const [from] of values)
    assert.ok(site.includes(from) || policyLine.includes(from), `${server.name}'s blocks in docs/hosting.md no longer hold "${from}"`);
  execFileSync('sh', ['-c', filled(policyLine, values)], { stdio: 'inherit' });
  writeFileSync(join(dir, 'site.conf'), filled(site, values));
  writeFileSync(join(dir, 'main.conf'), server.main(at));
  const [program, args] = server.command(at);
  const child = spawn(program, args, { stdio: ['ignore', 'pipe', 'pipe'] });
  let output = '';
  child.stdout.on('data', (d) => { output += d; });
  child.stderr.on('data', (d) => { output += d; });
  const exited = new Promise((done) => child.once('exit', (code, signal) => done(`${code ?? signal}`)));
  const end = () => child.kill();
  process.once('exit', end);
  const log = () => {
    let text = '';
    try { text = readFileSync(join(dir, 'error.log'), 'utf8'); } catch { /* not written yet */ }
    return `${output}${text}` || '(empty)';
  };
  let up = false;
  let ended = null;
  exited.then((how) => { ended = how; });
  for (let wait = 0; wait < 200 && !up && ended === null; ++wait) {
    up = await answers(port);
    if (!up) await new Promise((done) => setTimeout(done, 50));
  }
  if (!up) {
    end();
    assert.fail(`${server.name} did not start${ended === null ? '' : ` (it ended: ${ended})`}; its output and error log:\n${log()}`);
  }
  return {
    origin: `http://127.0.0.1:${port}`,
    log,
    async stop() {
      process.off('exit', end);
      if (ended === null) {
        end();
        await exited;
      }
    },
  };
}

// One request; the status, the headers and the body as it came.
function get(url, headers = {}) {
  return new Promise((done, fail) => {
    request(url, { headers }, (response) => {
      const chunks = [];
      response.on('data', (c) => chunks.push(c));
      response.on('end', () => done({ status: response.statusCode, headers: response.headers, body: Buffer.concat(chunks) }));
    }).on('error', fail).end();
  });
}

const decoders = { gzip: gunzipSync, br: brotliDecompressSync };

// The files below a folder, as paths relative to it.
function filesBelow(folder, below = '') {
  return readdirSync(join(folder, below), { withFileTypes: true }).flatMap((entry) => {
    const name = below ? `${below}/${entry.name}` : entry.name;
    return entry.isDirectory() ? filesBelow(folder, name) : [name];
  });
}

let top;
let folder;
let policy;
let worker;
let chromium;

before(async () => {
  top = mkdtempSync(join(tmpdir(), 'galgen-hosting-'));
  // The servers' workers run as nobody, and must read the site.
  chmodSync(top, 0o755);
  mkdirSync(join(top, 'srv'));
  execFileSync('tar', ['-xzf', tarball, '-C', join(top, 'srv')]);
  folder = join(top, 'srv', 'galgenmaennchen');
  mkdirSync(join(folder, 'listen'));
  writeFileSync(join(folder, list), `# Obst der Woche\n${words.join('\n')}\n`);
  policy = readFileSync(join(folder, 'content-security-policy'), 'utf8').trim();
  worker = workerOf(folder);
  chromium = await launch();
});

after(async () => {
  await chromium?.close();
  if (top) rmSync(top, { recursive: true, force: true });
});

for (const server of servers) {
  describe(server.name, () => {
    let running;
    before(async () => { running = await start(server, folder, top); });
    after(() => running?.stop());

    // A failed check shows the server's error log with it.
    const explained = (check) => async () => {
      try {
        await check();
      } catch (error) {
        error.message += `\n--- ${server.name}'s output and error log ---\n${running?.log()}`;
        throw error;
      }
    };

    test('every file: its type, caching, policy and compression', explained(async () => {
      const hashed = new Set(worker.files.filter((f) => f !== './' && f !== 'manifest.webmanifest'));
      const wrong = [];
      const files = filesBelow(folder);
      assert.ok(files.includes('index.html') && files.includes(list) && hashed.size > 10, `the site: ${files}`);
      for (const file of files) {
        const kind = kinds[extname(file)];
        if (!kind && !untyped.has(file)) {
          wrong.push(`${file}: a kind of file the document names no type for`);
          continue;
        }
        const bytes = readFileSync(join(folder, file));
        for (const encoding of [undefined, ...server.encodings]) {
          const asked = encoding ? `${file} (${encoding})` : file;
          const answer = await get(`${running.origin}${path}${file}`, encoding ? { 'Accept-Encoding': encoding } : {});
          const { headers } = answer;
          if (answer.status !== 200) {
            wrong.push(`${asked}: status ${answer.status}`);
            continue;
          }
          const type = headers['content-type']?.split(';')[0].trim();
          if (kind && type !== kind.type) wrong.push(`${asked}: Content-Type ${type}`);
          const caching = hashed.has(file) ? immutable : 'no-cache';
          if (headers['cache-control'] !== caching) wrong.push(`${asked}: Cache-Control ${headers['cache-control']}`);
          if (headers['content-security-policy'] !== policy) wrong.push(`${asked}: Content-Security-Policy ${headers['content-security-policy']}`);
          const coding = encoding && kind?.compressed ? encoding : undefined;
          if (kind && headers['content-encoding'] !== coding) wrong.push(`${asked}: Content-Encoding ${headers['content-encoding']}`);
          const decoded = headers['content-encoding'] ? decoders[headers['content-encoding']]?.(answer.body) : answer.body;
          if (!decoded?.equals(bytes)) wrong.push(`${asked}: not the file's bytes`);
        }
      }
      assert.deepEqual(wrong, []);
    }));

    test('the game\'s address: the folder without its slash is sent on, with it comes the page', explained(async () => {
      const bare = await get(`${running.origin}${path.slice(0, -1)}`);
      assert.equal(bare.status, 301);
      assert.equal(new URL(bare.headers.location, running.origin).href, `${running.origin}${path}`);
      const page = await get(`${running.origin}${path}`, { 'Accept-Encoding': 'gzip' });
      assert.equal(page.status, 200);
      assert.equal(page.headers['content-type'].split(';')[0], 'text/html');
      assert.equal(page.headers['cache-control'], 'no-cache');
      assert.equal(page.headers['content-security-policy'], policy);
      assert.equal(page.headers['content-encoding'], 'gzip');
      assert.ok(gunzipSync(page.body).equals(readFileSync(join(folder, 'index.html'))));
    }));

    test('the page, the manifest and the worker, asked again unchanged: not modified', explained(async () => {
      const wrong = [];
      for (const file of ['index.html', 'manifest.webmanifest', 'sw.js']) {
        for (const encoding of [undefined, ...server.encodings]) {
          const asked = encoding ? { 'Accept-Encoding': encoding } : {};
          const url = `${running.origin}${path}${file}`;
          const { headers } = await get(url, asked);
          // As a browser asks: with both validators it was given.
          const again = await get(url, {
            ...asked,
            ...(headers.etag && { 'If-None-Match': headers.etag }),
            ...(headers['last-modified'] && { 'If-Modified-Since': headers['last-modified'] }),
          });
          if (again.status !== 304) wrong.push(`${file} (${encoding ?? 'identity'}): ${again.status}`);
        }
      }
      assert.deepEqual(wrong, []);
    }));

    test('a round in Chromium with the teacher\'s list: no violation, kept for offline, installable', explained(async () => {
      // Not a private window: Chromium installs no app from one.
      const page = await watched(chromium.browser);
      try {
        const errors = [];
        page.on('pageerror', (e) => errors.push(e.message));
        const game = `${running.origin}${path}`;
        await page.goto(`${game}?liste=${list}`);
        await page.waitForSelector('#form[data-ready]');
        assert.ok((await page.evaluate(() => document.body.innerText)).includes(texts.startHeadline), 'the start screen');
        const spoken = (start) => page.waitForFunction((s) => document.getElementById('status').textContent.startsWith(s),
          { timeout: 10_000 }, start);
        await spoken(`Eigene Wortliste mit ${words.length} Wörtern.`);
        await page.keyboard.press('F2');
        await spoken('Neues Wort mit ');
        await page.keyboard.type('e');
        await spoken('Wort: ');
        const word = await page.$eval('[data-name=Fragewort]', (box) => box.value);
        assert.ok(words.some((w) => w.length === word.length) && word.includes('e'), `a word of the list: ${word}`);

        await page.evaluate(() => navigator.serviceWorker.ready.then(() => undefined));
        const kept = await page.evaluate(async (name) => (await (await caches.open(name)).keys()).map((r) => r.url),
          worker.cache);
        assert.deepEqual(kept.sort(), worker.files.map((f) => new URL(f, game).href).sort(), 'the worker keeps the build');
        await page.waitForSelector('link[rel=manifest]');
        const cdp = await page.createCDPSession();
        assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);

        assert.deepEqual(await page.evaluate(() => window.violations), [], 'policy violations');
        assert.deepEqual(await page.evaluate(() => window.logged), [], 'warnings and errors logged');
        assert.deepEqual(errors, [], 'uncaught errors');
      } finally {
        await page.close();
      }
    }));
  });
}
