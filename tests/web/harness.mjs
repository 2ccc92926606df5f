// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// What the browser tests and the web benchmark share: a static server for build/web on
// 127.0.0.1 and Debian's Chromium, driven by playwright-core, kept off the network.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

export const ROOT = resolve(fileURLToPath(import.meta.url), '../../..');
export const SITE = join(ROOT, 'build/web');
export const CHROMIUM = process.env.QUILLBY_CHROMIUM || '/usr/bin/chromium';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
};

// Serves `dir` on a free port of 127.0.0.1; `close()` stops it. Counts the requests.
export async function serve(dir = SITE) {
  const requests = [];
  const server = createServer(async (req, res) => {
    const path = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    requests.push(path);
    const file = normalize(join(dir, path.endsWith('/') ? path + 'index.html' : path));
    if (!file.startsWith(dir)) {
      res.writeHead(403).end();
      return;
    }
    try {
      const body = await readFile(file);
      res.writeHead(200, { 'Content-Type': TYPES[extname(file)] || 'application/octet-stream', 'Cache-Control': 'no-cache' });
      res.end(body);
    } catch {
      res.writeHead(404).end();
    }
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    requests,
    close: () => new Promise((done) => server.close(done)),
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
