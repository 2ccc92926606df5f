// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The title as the program draws it, made at build time by the program itself: its first
// frame once it rests, as a PNG. The page paints it the moment it arrives, so the title is on
// the screen long before the program is; the program's first frame then changes no pixel.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { runInThisContext } from 'node:vm';
import { deflateSync } from 'node:zlib';

export const TITLE_WIDTH = 240;
export const TITLE_HEIGHT = 320;

// Runs the program in `dir` (quillby.js and quillby.wasm) on a page of its own until it first
// waits for input; resolves to the picture it shows then, RGBA.
export async function firstFrame(dir) {
  const createQuillby = runInThisContext(`${readFileSync(join(dir, 'quillby.js'), 'utf8')}\n;createQuillby`);
  let shown = 0;
  let program = null;
  let rested;
  const resting = new Promise((resolve) => (rested = resolve));
  const quillbyPage = {
    openCanvas: () => true,
    show: (heap, rgba) => (shown = rgba),
    now: () => performance.now(),
    nextInput: () => null,
    playSound: () => {},
    // Waiting until input is resting: the picture is complete, and the program stays put.
    wait: (ms, resume) => (ms < 0 ? rested() : setTimeout(resume, ms)),
  };
  program = await createQuillby({ wasmBinary: readFileSync(join(dir, 'quillby.wasm')), quillbyPage, printErr: () => {} });
  program.ccall('quillby_run', 'number', ['number', 'number'], [0, 0], { async: true });
  await resting;
  if (!shown) throw new Error('the program showed nothing before it rested');
  return program.HEAPU8.slice(shown, shown + TITLE_WIDTH * TITLE_HEIGHT * 4);
}

const CRC_TABLE = Array.from({ length: 256 }, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});

function chunk(type, data) {
  const head = Buffer.alloc(8);
  head.writeUInt32BE(data.length, 0);
  head.write(type, 4, 'latin1');
  let crc = 0xffffffff;
  for (const byte of Buffer.concat([head.subarray(4), data])) crc = CRC_TABLE[(crc ^ byte) & 0xff] ^ (crc >>> 8);
  const tail = Buffer.alloc(4);
  tail.writeUInt32BE((crc ^ 0xffffffff) >>> 0, 0);
  return Buffer.concat([head, data, tail]);
}

// An opaque RGBA picture as a PNG with a palette (the title has a few dozen colours), or as
// RGB where it has more than 256. No colour-space chunk: browsers then draw the values as
// they are, which the canvas must match exactly.
export function encodePng(rgba, width, height) {
  const colours = new Map();
  for (let i = 0; i < rgba.length && colours.size <= 256; i += 4) {
    const key = (rgba[i] << 16) | (rgba[i + 1] << 8) | rgba[i + 2];
    if (!colours.has(key)) colours.set(key, colours.size);
  }
  const indexed = colours.size <= 256;
  const pixelBytes = indexed ? 1 : 3;
  const rows = Buffer.alloc(height * (1 + width * pixelBytes));
  for (let y = 0, at = 0; y < height; ++y) {
    rows[at++] = 0; // no filter: the best for a palette, and plenty for the rest
    for (let x = 0; x < width; ++x) {
      const i = (y * width + x) * 4;
      if (indexed) rows[at++] = colours.get((rgba[i] << 16) | (rgba[i + 1] << 8) | rgba[i + 2]);
      else for (let c = 0; c < 3; ++c) rows[at++] = rgba[i + c];
    }
  }
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header[8] = 8; // bits per sample
  header[9] = indexed ? 3 : 2; // colour type: palette, or RGB
  const parts = [Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]), chunk('IHDR', header)];
  if (indexed) parts.push(chunk('PLTE', Buffer.from([...colours.keys()].flatMap((k) => [k >> 16, (k >> 8) & 0xff, k & 0xff]))));
  parts.push(chunk('IDAT', deflateSync(rows, { level: 9 })), chunk('IEND', Buffer.alloc(0)));
  return Buffer.concat(parts);
}
