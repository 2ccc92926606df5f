// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Serves the page's folder as a real static host does: compressed (brotli where the browser
// takes it, else gzip), with validators a browser can check its copy against (a 304 costs a
// few hundred bytes, the file again costs all of it), `no-cache` since the file names do not
// change from build to build, and the wasm as application/wasm, which streaming compilation
// needs. `make serve` runs it; the web benchmark uses it and counts the bytes it sends.
//
// Usage: node scripts/serve-web.mjs [--dir build/web] [--port 8000] [--host 127.0.0.1]
import { createHash } from 'node:crypto';
import { readFile, stat } from 'node:fs/promises';
import { createServer } from 'node:http';
import { extname, join, normalize, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { brotliCompressSync, constants, gzipSync } from 'node:zlib';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
  '.json': 'application/json',
  '.svg': 'image/svg+xml',
};
// Pictures are compressed already: compressing them again gains nothing.
const COMPRESSIBLE = new Set(['.html', '.js', '.mjs', '.css', '.wasm', '.webmanifest', '.json', '.svg']);

// The encodings this server makes, best first, as a browser names them in Accept-Encoding.
const ENCODERS = {
  br: (bytes) =>
    brotliCompressSync(bytes, {
      params: { [constants.BROTLI_PARAM_QUALITY]: 11, [constants.BROTLI_PARAM_SIZE_HINT]: bytes.length },
    }),
  gzip: (bytes) => gzipSync(bytes, { level: 9 }),
};

// The first of `offered` that the request accepts (a q of 0 refuses one), or null for none.
function chooseEncoding(acceptEncoding, offered = Object.keys(ENCODERS)) {
  const accepted = new Set();
  for (const part of (acceptEncoding || '').split(',')) {
    const [name, ...params] = part.trim().toLowerCase().split(';');
    const q = params.map((p) => p.trim()).find((p) => p.startsWith('q='));
    if (name && !(q && Number(q.slice(2)) === 0)) accepted.add(name);
  }
  return offered.find((name) => accepted.has(name) || accepted.has('*')) ?? null;
}

// Serves `dir` on `host`:`port` (0: a free one), in the best of `encodings` that a request
// accepts (none: uncompressed). Resolves to {url, requests, bytesSent(), close()}: every
// request as {path, status, encoding, bytes} of body sent, and the bytes written to the
// network so far, headers included.
export async function serveSite({ dir, port = 0, host = '127.0.0.1', encodings = Object.keys(ENCODERS) }) {
  const root = resolve(dir);
  const requests = [];
  const made = new Map(); // path and encoding => {mtime, body, etag}, made once per version
  let closedBytes = 0;
  const sockets = new Set();

  async function body(file, encoding) {
    const info = await stat(file);
    const key = `${file}\n${encoding ?? ''}`;
    const kept = made.get(key);
    if (kept && kept.mtime === info.mtimeMs) return kept;
    const raw = await readFile(file);
    const bytes = encoding ? ENCODERS[encoding](raw) : raw;
    const etag = `"${createHash('sha256').update(raw).digest('base64url').slice(0, 22)}${encoding ? '-' + encoding : ''}"`;
    const version = { mtime: info.mtimeMs, modified: info.mtime.toUTCString(), body: bytes, etag };
    made.set(key, version);
    return version;
  }

  const server = createServer(async (req, res) => {
    const path = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const file = normalize(join(root, path.endsWith('/') ? path + 'index.html' : path));
    const note = (status, encoding = null, bytes = 0) => requests.push({ path, status, encoding, bytes });
    if (!file.startsWith(root + '/') || (req.method !== 'GET' && req.method !== 'HEAD')) {
      note(403);
      res.writeHead(403).end();
      return;
    }
    const type = extname(file);
    const encoding = COMPRESSIBLE.has(type) ? chooseEncoding(req.headers['accept-encoding'], encodings) : null;
    let version;
    try {
      version = await body(file, encoding);
    } catch {
      note(404);
      res.writeHead(404).end();
      return;
    }
    const headers = {
      'Content-Type': TYPES[type] || 'application/octet-stream',
      'Cache-Control': 'no-cache',
      ETag: version.etag,
      'Last-Modified': version.modified,
    };
    if (COMPRESSIBLE.has(type)) headers.Vary = 'Accept-Encoding';
    const tags = (req.headers['if-none-match'] || '').split(',').map((t) => t.trim().replace(/^W\//, ''));
    const fresh = req.headers['if-none-match']
      ? tags.includes(version.etag) || tags.includes('*')
      : req.headers['if-modified-since'] && Date.parse(req.headers['if-modified-since']) >= Date.parse(version.modified);
    if (fresh) {
      note(304, encoding);
      res.writeHead(304, headers).end();
      return;
    }
    if (encoding) headers['Content-Encoding'] = encoding;
    headers['Content-Length'] = version.body.length;
    note(200, encoding, req.method === 'HEAD' ? 0 : version.body.length);
    res.writeHead(200, headers);
    res.end(req.method === 'HEAD' ? undefined : version.body);
  });
  server.on('connection', (socket) => {
    sockets.add(socket);
    socket.on('close', () => {
      closedBytes += socket.bytesWritten;
      sockets.delete(socket);
    });
  });
  await new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, host, done);
  });
  return {
    url: `http://${host}:${server.address().port}/`,
    requests,
    bytesSent: () => [...sockets].reduce((sum, s) => sum + s.bytesWritten, closedBytes),
    close: () =>
      new Promise((done) => {
        server.close(done);
        server.closeAllConnections?.();
      }),
  };
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const option = (name, fallback) => {
    const at = process.argv.indexOf(name);
    return at > 0 && at + 1 < process.argv.length ? process.argv[at + 1] : fallback;
  };
  const dir = option('--dir', 'build/web');
  const port = Number(option('--port', '8000'));
  const host = option('--host', '127.0.0.1');
  try {
    await stat(join(dir, 'index.html'));
    const site = await serveSite({ dir, port, host });
    console.log(`Quillby is at ${site.url} (Ctrl+C stops the server)`);
  } catch (e) {
    console.error(`quillby: cannot serve ${dir} (${e.code === 'ENOENT' ? 'no page there: make web builds it' : e.message})`);
    process.exit(1);
  }
}
