// SPDX-License-Identifier: GPL-3.0-or-later
// The development server (web/serve.mjs) against requests a real host must
// survive and the answers a browser relies on, on a temporary site with a
// folder beside it that must stay private. No browser: node's http client
// sends the raw paths.
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { mkdirSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { request } from 'node:http';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { gunzipSync } from 'node:zlib';
import { serve, serverScript } from './server.mjs';

const top = mkdtempSync(join(tmpdir(), 'galgen-serve-'));
const site = join(top, 'site');
const files = {
  'index.html': '<!doctype html><title>Galgenmännchenspiel</title>\n'.repeat(40),
  'page.js': 'console.log("Worteraten");\n'.repeat(40),
  'style.css': 'body { margin: 0 }\n'.repeat(40),
  'module.wasm': Buffer.from([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0]),
  'manifest.webmanifest': '{"name": "Galgenmännchenspiel"}',
  'words.json': '["Elefant", "Löffel"]',
  'pictures/gallows.svg': '<svg xmlns="http://www.w3.org/2000/svg"/>\n'.repeat(20),
  'fonts/font.woff2': Buffer.alloc(300, 7),
  'pictures/icon.png': Buffer.alloc(300, 9),
  'content-security-policy': "default-src 'none'; script-src 'self' 'sha256-abc'; frame-ancestors 'none'\n",
};
const secret = 'geheim: this file lies beside the site';
let server;

before(async () => {
  for (const [name, body] of Object.entries(files)) {
    mkdirSync(join(site, name, '..'), { recursive: true });
    writeFileSync(join(site, name), body);
  }
  mkdirSync(join(top, 'site-private'));
  writeFileSync(join(top, 'site-private', 'secret.txt'), secret);
  writeFileSync(join(top, 'secret.txt'), secret);
  server = await serve(site);
});
after(() => {
  server.close();
  rmSync(top, { recursive: true, force: true });
});

// One request with a raw path; resolves to the status, headers and body.
function get(path, { method = 'GET', headers = {}, origin = server.origin } = {}) {
  const { hostname, port } = new URL(origin);
  return new Promise((done, fail) => {
    request({ hostname, port, path, method, headers }, (response) => {
      const chunks = [];
      response.on('data', (c) => chunks.push(c));
      response.on('end', () => done({ status: response.statusCode, headers: response.headers, body: Buffer.concat(chunks) }));
    }).on('error', fail).end();
  });
}

async function assertStillServing() {
  assert.equal(server.child.exitCode, null, 'the server process still runs');
  assert.equal((await get('/index.html')).status, 200, 'the server still answers');
}

describe('requests that must not end the server', () => {
  const cases = [
    ['/%ZZ', 400],
    ['/%', 400],
    ['/%E0%A4%A', 400],
    ['/fonts/%FF', 400],
    ['/page.js%00.html', 400],
    ['//', 200],
    ['///', 200],
    ['//:99999/', 404],
    ['//index.html', 200],
  ];
  for (const [path, status] of cases) {
    test(`${path} gets ${status}`, async () => {
      assert.equal((await get(path)).status, status);
      await assertStillServing();
    });
  }
});

describe('nothing outside the site folder', () => {
  const paths = [
    '/..%2fsite-private%2fsecret.txt',
    '/../site-private/secret.txt',
    '/%2e%2e/site-private/secret.txt',
    '/..%2fsecret.txt',
    '/fonts/..%2f..%2fsecret.txt',
    '/..',
  ];
  for (const path of paths) {
    test(path, async () => {
      const answer = await get(path);
      assert.ok([403, 404].includes(answer.status), `status ${answer.status}`);
      assert.ok(!answer.body.toString().includes(secret), 'the secret stays hidden');
      await assertStillServing();
    });
  }
});

describe('the site', () => {
  const cases = [
    ['/', 'text/html; charset=utf-8', 'index.html'],
    ['/module.wasm', 'application/wasm', 'module.wasm'],
    ['/manifest.webmanifest', 'application/manifest+json', 'manifest.webmanifest'],
    ['/words.json', 'application/json', 'words.json'],
    ['/pictures/gallows.svg', 'image/svg+xml', 'pictures/gallows.svg'],
    ['/fonts/font.woff2', 'font/woff2', 'fonts/font.woff2'],
    ['/page.js?v=2', 'text/javascript; charset=utf-8', 'page.js'],
  ];
  for (const [path, type, file] of cases) {
    test(`${path} is ${file} as ${type}`, async () => {
      const answer = await get(path);
      assert.equal(answer.status, 200);
      assert.equal(answer.headers['content-type'], type);
      assert.deepEqual(answer.body, Buffer.from(files[file]));
      // The policy the site's build wrote beside its page, on every file.
      assert.equal(answer.headers['content-security-policy'], files['content-security-policy'].trim());
    });
  }

  test('a missing file gets 404', async () => {
    assert.equal((await get('/missing.html')).status, 404);
  });

  test('HEAD gets the headers without the body, other methods 405', async () => {
    const head = await get('/style.css', { method: 'HEAD' });
    assert.equal(head.status, 200);
    assert.equal(Number(head.headers['content-length']), files['style.css'].length);
    assert.equal(head.body.length, 0);
    assert.equal((await get('/style.css', { method: 'POST' })).status, 405);
  });

  test('the printed address is where the server listens', async () => {
    assert.match(server.origin, /^http:\/\/[^/]+:\d+$/);
    assert.equal((await get('/', { origin: server.origin })).status, 200);
  });
});

describe('gzip', () => {
  const cases = [
    ['/index.html', 'gzip, deflate, br', true],
    ['/page.js', 'br;q=1.0, gzip;q=0.8', true],
    ['/module.wasm', 'gzip', true],
    ['/style.css', '*', true],
    ['/index.html', undefined, false],
    ['/index.html', 'br', false],
    ['/index.html', 'gzip;q=0', false],
    ['/fonts/font.woff2', 'gzip', false],
    ['/pictures/icon.png', 'gzip', false],
  ];
  for (const [path, accepted, zipped] of cases) {
    test(`${path} with Accept-Encoding ${accepted}: ${zipped ? '' : 'not '}compressed`, async () => {
      const answer = await get(path, { headers: accepted ? { 'Accept-Encoding': accepted } : {} });
      assert.equal(answer.status, 200);
      assert.equal(answer.headers['content-encoding'], zipped ? 'gzip' : undefined);
      const body = zipped ? gunzipSync(answer.body) : answer.body;
      assert.deepEqual(body, Buffer.from(files[path.slice(1)]));
    });
  }
});

describe('caching', () => {
  test('pages are revalidated, not kept from the cache altogether', async () => {
    for (const path of ['/', '/page.js', '/fonts/font.woff2']) {
      assert.equal((await get(path)).headers['cache-control'], 'no-cache', path);
    }
  });

  const cases = [
    ['the same tag', (tag) => tag, 304],
    ['the same tag, weak', (tag) => `W/${tag}`, 304],
    ['among others', (tag) => `"other", ${tag}`, 304],
    ['*', () => '*', 304],
    ['another tag', () => '"other"', 200],
  ];
  for (const [what, ifNoneMatch, status] of cases) {
    test(`If-None-Match with ${what}: ${status}`, async () => {
      const first = await get('/index.html');
      const etag = first.headers.etag;
      assert.ok(etag);
      const again = await get('/index.html', { headers: { 'If-None-Match': ifNoneMatch(etag) } });
      assert.equal(again.status, status);
      assert.equal(again.headers.etag, etag);
      if (status === 304) assert.equal(again.body.length, 0);
    });
  }

  test('the gzip encoding has its own tag', async () => {
    const plain = await get('/page.js');
    const zipped = await get('/page.js', { headers: { 'Accept-Encoding': 'gzip' } });
    assert.notEqual(zipped.headers.etag, plain.headers.etag);
    const stale = await get('/page.js', { headers: { 'Accept-Encoding': 'gzip', 'If-None-Match': plain.headers.etag } });
    assert.equal(stale.status, 200, 'a plain copy does not stand for the gzipped one');
  });

  test('a changed file gets a new tag and no 304', async () => {
    writeFileSync(join(site, 'changing.txt'), 'erst');
    const before = await get('/changing.txt');
    writeFileSync(join(site, 'changing.txt'), 'dann');
    const after = await get('/changing.txt', { headers: { 'If-None-Match': before.headers.etag } });
    assert.equal(after.status, 200);
    assert.equal(after.body.toString(), 'dann');
    assert.notEqual(after.headers.etag, before.headers.etag);
  });
});

test('a port in use ends the script with one line naming the port and PORT=', async () => {
  const taken = createServer();
  await new Promise((done) => taken.listen(0, '127.0.0.1', done));
  const { port } = taken.address();
  try {
    const child = spawn(process.execPath, [serverScript, site, String(port)], { stdio: ['ignore', 'pipe', 'pipe'] });
    let stdout = '';
    let stderr = '';
    child.stdout.on('data', (c) => { stdout += c; });
    child.stderr.on('data', (c) => { stderr += c; });
    const code = await new Promise((done) => child.on('close', done));
    assert.notEqual(code, 0);
    assert.equal(stdout, '');
    const lines = stderr.trim().split('\n');
    assert.equal(lines.length, 1, stderr);
    assert.match(lines[0], new RegExp(`\\b${port}\\b`));
    assert.match(lines[0], /PORT=/);
    assert.match(lines[0], /belegt/, 'in German');
    assert.match(lines[0], /in use/, 'in English');
  } finally {
    taken.close();
  }
});
