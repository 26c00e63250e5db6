// SPDX-License-Identifier: GPL-3.0-or-later
// The development server (web/serve.mjs) in a process of its own, as a real
// host would be: a server inside the test's process would answer only when
// puppeteer lets it, and a fault that ends the server must not end the test.
import { spawn } from 'node:child_process';
import { fileURLToPath } from 'node:url';

export const serverScript = fileURLToPath(new URL('../../web/serve.mjs', import.meta.url));

// Serves a folder on a free port, or on the one given; origin is the
// address the server printed. close() ends it, and so does the test's end.
export async function serve(folder, { isolated = false, port = 0 } = {}) {
  const child = spawn(process.execPath, [serverScript, folder, String(port), ...(isolated ? ['--isolated'] : [])],
    { stdio: ['ignore', 'pipe', 'inherit'] });
  const origin = await new Promise((done, fail) => {
    child.stdout.once('data', (line) => done(String(line).match(/http:\/\/\S+?:\d+/)[0]));
    child.once('exit', (code) => fail(new Error(`server ended: ${code}`)));
  });
  const end = () => child.kill();
  process.once('exit', end);
  return {
    origin,
    child,
    close() {
      end();
      process.off('exit', end);
      return new Promise((done) => (child.exitCode === null ? child.once('exit', done) : done()));
    },
  };
}
