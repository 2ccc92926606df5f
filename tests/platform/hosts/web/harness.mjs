// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// What the browser tests and the web benchmark share: a static server for build/web on
// 127.0.0.1 and Debian's Chromium, driven by playwright-core, kept off the network.
import { createServer } from 'node:http';
import { existsSync } from 'node:fs';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

export const ROOT = resolve(fileURLToPath(import.meta.url), '../../../../..');
export const SITE = join(ROOT, 'build/web');
export const CHROMIUM = process.env.QUILLBY_CHROMIUM || '/usr/bin/chromium';

// Fails at once, with the way out, where the page has not been built.
export function needSite(file = 'quillby.wasm') {
  if (!existsSync(join(SITE, file))) throw new Error(`no ${file} in ${SITE}: run make web`);
}

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
};

// Serves `dir` on a free port of 127.0.0.1, and again under each folder of `copies` (such as
// '/a/'); answers 404 for the paths in `missing` and holds every request for a path in
// `holding` until `release()`. `close()` stops it and drops the browsers' open connections, so
// that the site is then as good as offline. Counts the requests.
export async function serve(dir = SITE, { missing = [], holding = [], copies = [] } = {}) {
  const requests = [];
  let held = [];
  const server = createServer(async (req, res) => {
    let path = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    requests.push(path);
    if (holding.includes(path) && held) await new Promise((done) => held.push(done));
    const copy = copies.find((folder) => path.startsWith(folder));
    if (copy) path = path.slice(copy.length - 1);
    const file = normalize(join(dir, path.endsWith('/') ? path + 'index.html' : path));
    if (!file.startsWith(dir)) {
      res.writeHead(403).end();
      return;
    }
    try {
      if (missing.includes(path)) throw new Error('missing');
      const body = await readFile(file);
      // A held site's files bypass the browser's cache, which would make a second request for
      // a file wait for the first.
      const cache = holding.length ? 'no-store' : 'no-cache';
      res.writeHead(200, { 'Content-Type': TYPES[extname(file)] || 'application/octet-stream', 'Cache-Control': cache });
      res.end(body);
    } catch {
      res.writeHead(404).end();
    }
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    requests,
    held: () => held?.length ?? 0,
    release() {
      held?.forEach((done) => done());
      held = null;
    },
    close: () =>
      new Promise((done) => {
        server.close(done);
        server.closeAllConnections();
      }),
  };
}

const ARGS = [
  '--headless',
  '--no-sandbox',
  '--disable-gpu',
  '--disable-quic',
  '--no-first-run',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
];

// Chromium headless (playwright gives it a fresh profile), with nothing that would reach out
// to the network. Each test makes its own context in it: a private window.
export function launch() {
  return chromium.launch({ executablePath: CHROMIUM, headless: true, args: ARGS });
}
