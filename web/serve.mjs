// SPDX-License-Identifier: GPL-3.0-or-later
// A minimal static file server for the web edition: files below one folder,
// with the MIME types a site needs (application/wasm for a module served as
// a file of its own).
//   node web/serve.mjs FOLDER [PORT [--isolated]]   (PORT 0: any free port)
// startServer() serves the same from a test or benchmark; with isolated,
// the page is cross-origin isolated, which gives it a finer clock.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

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
};

export function startServer(folder, { port = 0, isolated = false } = {}) {
  const root = resolve(folder);
  const server = createServer(async (request, response) => {
    let path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    if (path.endsWith('/')) path += 'index.html';
    const file = normalize(join(root, path));
    if (!file.startsWith(root)) {
      response.writeHead(403).end();
      return;
    }
    try {
      const body = await readFile(file);
      const headers = { 'Content-Type': types[extname(file)] || 'application/octet-stream', 'Cache-Control': 'no-store' };
      if (isolated) {
        headers['Cross-Origin-Opener-Policy'] = 'same-origin';
        headers['Cross-Origin-Embedder-Policy'] = 'require-corp';
      }
      response.writeHead(200, headers).end(body);
    } catch {
      response.writeHead(404, { 'Content-Type': 'text/plain; charset=utf-8' }).end('Nicht gefunden');
    }
  });
  return new Promise((done) => server.listen(port, '127.0.0.1', () => done(server)));
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [folder, port = '8080', option] = process.argv.slice(2);
  const server = await startServer(folder, { port: Number(port), isolated: option === '--isolated' });
  console.log(`Galgenmännchenspiel: http://localhost:${server.address().port}/`);
}
