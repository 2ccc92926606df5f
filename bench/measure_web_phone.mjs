// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The page on a slow phone (build/web first: make web): Chromium emulating a slow mobile
// network (150 ms latency, 1.6 Mbit/s down, 750 kbit/s up) and a processor 4× slower than
// this one, with a cold cache, the page served compressed as a static host serves it.
// Each run is a first visit; a child taps the title as soon as it is on the screen. Budgets,
// medians of the runs:
//   title       from navigation to the title on the screen: at most 1.2 s, and 300 ms
//               without the emulation;
//   first tap   from navigation to the card drawn, the tap answered: at most 2.5 s;
//   bytes       everything sent over the network for the first visit, the service worker's
//               copies included: at most 1.1 × the sum of the files' compressed sizes;
//   voice       each language's voice file (voice.bin, voice-de.bin, ...), which only a page
//               with ?speak fetches, and only its language's: at most 600 KB gzipped.
// What is on the screen is read from the canvas each frame, not from the page's own account.
// Usage: node bench/measure_web_phone.mjs [--runs N] [--encoding br|gzip|none] [--site DIR] [--lang CODE]
// (DIR: another build of the page, such as an older one to compare with; build/web if not given)
import { readdirSync, readFileSync } from 'node:fs';
import { extname, join } from 'node:path';
import { brotliCompressSync, constants, gzipSync } from 'node:zlib';
import { serveSite } from '../scripts/serve-web.mjs';
import { ROOT, SITE, launch } from '../tests/platform/hosts/web/harness.mjs';

const option = (name, fallback) => {
  const at = process.argv.indexOf(name);
  return at > 0 ? process.argv[at + 1] : fallback;
};
const runs = Number(option('--runs', 5));
const encoding = option('--encoding', 'br');
const lang = option('--lang', '');
const site = option('--site', SITE);
const SLOW_NETWORK = { offline: false, latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 750e3 / 8 };
const CPU_SLOWDOWN = 4;
const BUDGET = { titleMs: 1200, cardMs: 2500, bytesShare: 1.1, fastTitleMs: 300, voiceBytes: 600e3 };
const TITLE_TAP = [120, 160];

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const spread = (values, digits = 0) =>
  `median ${median(values).toFixed(digits)}, ${Math.min(...values).toFixed(digits)}–${Math.max(...values).toFixed(digits)}`;
const verdict = (ok) => (ok ? 'within budget' : 'OVER BUDGET');
let failed = false;

// What each file costs on the wire as served: pictures as they are, the rest compressed.
const compressed = {
  br: (b) => brotliCompressSync(b, { params: { [constants.BROTLI_PARAM_QUALITY]: 11 } }).length,
  gzip: (b) => gzipSync(b, { level: 9 }).length,
  none: (b) => b.length,
}[encoding];
// The voice files are fetched only by a page asked to speak, one language's: not part of a
// plain visit.
const onlyWhenSpeaking = (file) => /^voice(-[a-z]{2})?\.bin$/.test(file);
let filesBytes = 0;
const voices = [];
console.log(`| File | Bytes | served (${encoding}) |\n|---|---:|---:|`);
for (const file of readdirSync(site).sort()) {
  const bytes = readFileSync(join(site, file));
  const served = extname(file) === '.png' ? bytes.length : compressed(bytes);
  if (onlyWhenSpeaking(file)) voices.push([file, gzipSync(bytes, { level: 9 }).length]);
  else filesBytes += served;
  console.log(`| ${file} | ${bytes.length} | ${served}${onlyWhenSpeaking(file) ? ' (with ?speak only)' : ''} |`);
}
console.log(`| everything a visit without ?speak fetches | | ${filesBytes} |\n`);
console.log(`Voice files, gzipped, each at most ${BUDGET.voiceBytes / 1000} KB:`);
for (const [file, gzipped] of voices) {
  console.log(`  ${file.padEnd(16)} ${String(gzipped).padStart(8)} bytes, ${verdict(gzipped <= BUDGET.voiceBytes)}`);
  failed ||= gzipped > BUDGET.voiceBytes;
}
console.log();

const server = await serveSite({ dir: site, encodings: encoding === 'none' ? [] : [encoding] });
// The server compresses each file once, on its first request: not in any visit's time.
for (const file of readdirSync(site)) await fetch(server.url + file, { headers: { 'Accept-Encoding': encoding } }).then((r) => r.arrayBuffer());
const browser = await launch();

// A few pixels of the title, read from its golden screenshot, for the probe to look for.
const samples = await (async () => {
  const page = await browser.newPage();
  const png = readFileSync(join(ROOT, 'tests/golden/title.png')).toString('base64');
  const points = await page.evaluate(async (src) => {
    const picture = new Image();
    picture.src = src;
    await picture.decode();
    const context = Object.assign(document.createElement('canvas'), { width: 240, height: 320 }).getContext('2d');
    context.drawImage(picture, 0, 0);
    const data = context.getImageData(0, 0, 240, 320).data;
    const points = [];
    for (let at = 4 * (10 * 240 + 7); at < data.length; at += 4 * 997) points.push([at, data[at], data[at + 1], data[at + 2]]);
    return points;
  }, `data:image/png;base64,${png}`);
  await page.close();
  return points;
})();

// In the page before its own scripts: once a frame, whether the canvas is on the screen and
// shows the title; when it first does (then it tells the benchmark at once, which taps), and
// when it first shows something else after that, the game screen the tap opens (ms since
// navigation).
function probe(samples) {
  const seen = (window.quillbyProbe = { title: null, tap: null, card: null });
  const scratch = document.createElement('canvas');
  scratch.width = 240;
  scratch.height = 320;
  const context = scratch.getContext('2d', { willReadFrequently: true });
  const look = () => {
    const canvas = document.getElementById('display');
    if (canvas && canvas.isConnected && getComputedStyle(canvas).visibility === 'visible') {
      context.clearRect(0, 0, 240, 320);
      context.drawImage(canvas, 0, 0);
      const data = context.getImageData(0, 0, 240, 320).data;
      const title = samples.every(([at, r, g, b]) => data[at] === r && data[at + 1] === g && data[at + 2] === b);
      if (title && seen.title === null) {
        seen.title = performance.now();
        const box = canvas.getBoundingClientRect();
        window.quillbyTitleSeen({ x: box.x, y: box.y, width: box.width, height: box.height });
      }
      if (!title && seen.title !== null) seen.card = performance.now();
    }
    if (seen.card === null) requestAnimationFrame(look);
  };
  requestAnimationFrame(look);
}

async function visit(slow) {
  const context = await browser.newContext({ viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true });
  const page = await context.newPage();
  let titleSeen;
  const box = new Promise((resolve) => (titleSeen = resolve));
  await page.exposeFunction('quillbyTitleSeen', (place) => titleSeen(place));
  await page.addInitScript(probe, samples);
  const cdp = await context.newCDPSession(page);
  if (slow) {
    await cdp.send('Network.enable');
    await cdp.send('Network.emulateNetworkConditions', SLOW_NETWORK);
    await cdp.send('Emulation.setCPUThrottlingRate', { rate: CPU_SLOWDOWN });
  }
  const sentBefore = server.bytesSent();
  const requestsBefore = server.requests.length;
  await page.goto(server.url + (lang ? `?lang=${lang}` : ''), { waitUntil: 'commit' });
  const place = await box;
  const tapped = page.evaluate(() => (window.quillbyProbe.tap = performance.now()));
  await page.touchscreen.tap(place.x + ((TITLE_TAP[0] + 0.5) * place.width) / 240, place.y + ((TITLE_TAP[1] + 0.5) * place.height) / 320);
  await tapped;
  await page.waitForFunction(() => window.quillbyProbe.card != null, null, { polling: 50, timeout: 60000 });
  const seen = await page.evaluate(() => ({
    ...window.quillbyProbe,
    load: performance.getEntriesByType('navigation')[0].loadEventStart,
    wasm: performance.getEntriesByType('resource').find((r) => r.name.endsWith('quillby.wasm'))?.responseEnd,
  }));
  // The first visit ends once the service worker has kept its copies.
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.waitForTimeout(1500);
  const sent = server.bytesSent() - sentBefore;
  const requests = server.requests.slice(requestsBefore);
  await context.close();
  return { ...seen, sent, requests };
}

const slow = [];
for (let i = 0; i < runs; ++i) slow.push(await visit(true));
const fast = [];
await visit(false); // the browser's own start is no page's
for (let i = 0; i < runs; ++i) fast.push(await visit(false));

console.log(`Slow phone, ${runs} first visits, served ${encoding}:`);
console.log(`  the page's load event          ${spread(slow.map((r) => r.load))} ms`);
console.log(`  quillby.wasm arrived           ${spread(slow.map((r) => r.wasm))} ms`);
const title = median(slow.map((r) => r.title));
console.log(`  the title on the screen        ${spread(slow.map((r) => r.title))} ms, ${verdict(title <= BUDGET.titleMs)}`);
const card = median(slow.map((r) => r.card));
console.log(`  the first tap's card drawn     ${spread(slow.map((r) => r.card))} ms, ${verdict(card <= BUDGET.cardMs)} (tapped ${spread(slow.map((r) => r.tap - r.title))} ms after the title came)`);
const bytes = median(slow.map((r) => r.sent));
const share = bytes / filesBytes;
console.log(`  bytes sent for the visit       ${spread(slow.map((r) => r.sent))} (${share.toFixed(2)} × the files' ${filesBytes}), ${verdict(share <= BUDGET.bytesShare)}`);
const file = (r) => (r.path === '/' ? '/index.html' : r.path);
const full = slow[0].requests.filter((r) => r.status === 200);
const again = full.filter((r, i) => full.findIndex((q) => file(q) === file(r)) !== i);
console.log(`  sent twice in the first run    ${again.map((r) => `${r.path} (${r.bytes})`).join(', ') || 'nothing'}`);
const fastTitle = median(fast.map((r) => r.title));
console.log(`Without the emulation: the title ${spread(fast.map((r) => r.title))} ms, ${verdict(fastTitle <= BUDGET.fastTitleMs)}; the card ${spread(fast.map((r) => r.card))} ms`);
failed ||= title > BUDGET.titleMs || card > BUDGET.cardMs || share > BUDGET.bytesShare || fastTitle > BUDGET.fastTitleMs;

await browser.close();
await server.close();
process.exit(failed ? 1 : 0);
