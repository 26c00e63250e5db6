// SPDX-License-Identifier: GPL-3.0-or-later
// A small static file server for the web edition, as careful as a real host:
// files below one folder only, the MIME types a site needs (application/wasm
// for a module served as a file of its own), gzip for text, ETags with 304
// answers, and revalidation rather than no caching, so that the browser's
// back/forward cache works. Every file of a site carries the content
// security policy its build wrote beside its page (content-security-policy,
// one line: web/site/make_site.py), as a host sends it. A bad request gets
// its error status; nothing a client sends ends the server.
//   node web/serve.mjs FOLDER [PORT [--isolated]]   (PORT 0: any free port)
// startServer() serves the same from a test or benchmark; with isolated,
// the page is cross-origin isolated, which gives it a finer clock.
import { createHash } from 'node:crypto';
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { dirname, extname, isAbsolute, join, relative, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';
import { gzip } from 'node:zlib';

const host = '127.0.0.1';
const gzipAsync = promisify(gzip);

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml',
  '.woff2': 'font/woff2',
  '.txt': 'text/plain; charset=utf-8',
  '.png': 'image/png',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
};
// PNG and WOFF2 are compressed already; gzip would only cost time.
const compressible = new Set(['.html', '.js', '.mjs', '.css', '.wasm', '.svg', '.txt', '.json', '.webmanifest']);

// The file a request path names below root, or a status: 400 for a path
// that is not one, 403 for one that leaves root.
function fileFor(root, url) {
  if (!url.startsWith('/')) return 400;
  let path;
  try {
    path = decodeURIComponent(url.split('?')[0]);
  } catch {
    return 400;
  }
  if (path.includes('\0')) return 400;
  if (path.endsWith('/')) path += 'index.html';
  const file = join(root, path);
  // By whole path components: a folder beside root whose name begins
  // with root's own is outside too.
  const inside = relative(root, file);
  if (inside === '..' || inside.startsWith(`..${sep}`) || isAbsolute(inside)) return 403;
  return file;
}

// The policy of the site a file belongs to: the nearest policy file in its
// folder or above, up to root; none for a file of no site.
async function policyFor(root, file) {
  for (let folder = dirname(file); ; folder = dirname(folder)) {
    try {
      return (await readFile(join(folder, 'content-security-policy'), 'utf8')).trim();
    } catch {
      if (folder === root || folder === dirname(folder)) return null;
    }
  }
}

// Whether the client takes gzip: named, or through *, and not with q=0.
function acceptsGzip(header = '') {
  const q = {};
  for (const part of header.split(',')) {
    const [coding, ...params] = part.trim().toLowerCase().split(';');
    const weight = params.map((p) => p.trim()).find((p) => p.startsWith('q='));
    q[coding] = weight ? Number(weight.slice(2)) : 1;
  }
  return (q.gzip ?? q['*'] ?? 0) > 0;
}

// If-None-Match holds this tag or *; W/ is ignored, as the weak comparison wants.
function matches(header, etag) {
  if (!header) return false;
  return header.split(',').some((t) => {
    const tag = t.trim().replace(/^W\//, '');
    return tag === '*' || tag === etag;
  });
}

async function answer(root, isolated, request, response) {
  if (request.method !== 'GET' && request.method !== 'HEAD') {
    response.writeHead(405, { Allow: 'GET, HEAD' }).end();
    return;
  }
  const file = fileFor(root, request.url);
  if (typeof file === 'number') {
    response.writeHead(file).end();
    return;
  }
  let body;
  try {
    body = await readFile(file);
  } catch {
    response.writeHead(404, { 'Content-Type': 'text/plain; charset=utf-8' }).end('Nicht gefunden');
    return;
  }
  const type = extname(file);
  const zipped = compressible.has(type) && acceptsGzip(request.headers['accept-encoding']);
  // Each encoding is a representation of its own and gets its own tag.
  const hash = createHash('sha256').update(body).digest('base64url').slice(0, 22);
  const etag = `"${hash}${zipped ? '-gzip' : ''}"`;
  const headers = { ETag: etag, 'Cache-Control': 'no-cache' };
  const policy = await policyFor(root, file);
  if (policy) headers['Content-Security-Policy'] = policy;
  if (compressible.has(type)) headers.Vary = 'Accept-Encoding';
  if (isolated) {
    headers['Cross-Origin-Opener-Policy'] = 'same-origin';
    headers['Cross-Origin-Embedder-Policy'] = 'require-corp';
  }
  if (matches(request.headers['if-none-match'], etag)) {
    response.writeHead(304, headers).end();
    return;
  }
  if (zipped) {
    body = await gzipAsync(body);
    headers['Content-Encoding'] = 'gzip';
  }
  headers['Content-Type'] = types[type] || 'application/octet-stream';
  headers['Content-Length'] = body.length;
  response.writeHead(200, headers).end(request.method === 'HEAD' ? undefined : body);
}

export function startServer(folder, { port = 0, isolated = false } = {}) {
  const root = resolve(folder);
  const server = createServer((request, response) => {
    answer(root, isolated, request, response).catch((error) => {
      console.error(`${request.url}: ${error.stack || error}`);
      if (!response.headersSent) response.writeHead(500);
      response.end();
    });
  });
  return new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, host, () => {
      server.off('error', fail);
      done(server);
    });
  });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [folder, port = '8080', option] = process.argv.slice(2);
  try {
    const server = await startServer(folder, { port: Number(port), isolated: option === '--isolated' });
    // One write: a test reads the address from the first chunk.
    console.log(`Galgenmännchenspiel: http://${host}:${server.address().port}/\n` +
      `Nur für diesen Rechner (${host}); für einen echten Webserver siehe docs/hosting.md.\n` +
      `For this computer only (${host}); for a real web server, see docs/hosting.md.`);
  } catch (error) {
    console.error(error.code === 'EADDRINUSE'
      ? `Port ${port} ist belegt, wähle einen anderen mit PORT=..., etwa PORT=${Number(port) + 1} scripts/play-web. ` +
        `Port ${port} is in use: choose another with PORT=..., e.g. PORT=${Number(port) + 1} scripts/play-web.`
      : `Der Server startet nicht / the server does not start: ${error.message}`);
    process.exit(1);
  }
}
