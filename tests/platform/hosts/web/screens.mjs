// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// What the browser tests hold the page against: the golden screenshots and the headless
// program's runs, and the canvas's own pixels. A tab is anything with `evaluate(fn, arg)`:
// a Playwright page, a DevTools tab (devtools_pipe.mjs) or an engine's tab (engines/).
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { ROOT } from './harness.mjs';

const png = (name, bytes) => ({ name, url: `data:image/png;base64,${bytes.toString('base64')}` });
const goldens = {};
export const golden = (name) => (goldens[name] ??= png(`the golden ${name}`, readFileSync(join(ROOT, 'tests/golden', `${name}.png`))));

const runs = new Map();
// The headless program's run of a stylus script at start tick 2026, with the voice when
// `speak`, in `language` when given: the sounds it asked for, [ms, id] each, and its screenshots.
export function headless(script, { speak = false, language = null } = {}) {
  const key = `${speak} ${language} ${script}`;
  if (runs.has(key)) return runs.get(key);
  const exe = process.env.QUILLBY_EXE || join(ROOT, 'build/default/shell/quillby');
  const dir = mkdtempSync(join(tmpdir(), 'quillby-web-'));
  try {
    writeFileSync(join(dir, 'taps.txt'), script);
    const voice = [...(speak ? ['--speak'] : []), ...(language ? ['--language', language] : [])];
    const log = execFileSync(exe, ['--headless', ...voice, '--start-tick', '2026', '--script', join(dir, 'taps.txt'), '--shots', dir], { encoding: 'utf8' });
    const shots = {};
    for (const [, name] of log.matchAll(/^\d+ shot (\S+)$/gm)) shots[name] = png(`the headless ${name}`, readFileSync(join(dir, `${name}.png`)));
    const run = { sounds: [...log.matchAll(/^(\d+) sound (\d+)$/gm)].map((m) => [Number(m[1]), Number(m[2])]), shots };
    runs.set(key, run);
    return run;
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
}

// How many pixels of the canvas differ from a screenshot, read from the canvas itself.
export function differingPixels(tab, shot) {
  return tab.evaluate(async (src) => {
    const picture = new Image();
    picture.src = src;
    await picture.decode();
    const scratch = Object.assign(document.createElement('canvas'), { width: 240, height: 320 });
    scratch.getContext('2d').drawImage(picture, 0, 0);
    const want = scratch.getContext('2d').getImageData(0, 0, 240, 320).data;
    const have = document.getElementById('display').getContext('2d').getImageData(0, 0, 240, 320).data;
    let differ = 0;
    for (let i = 0; i < want.length; i += 4) if (want[i] !== have[i] || want[i + 1] !== have[i + 1] || want[i + 2] !== have[i + 2]) ++differ;
    return differ;
  }, shot.url);
}

// Waits until the canvas shows the screenshot (a cold browser on a busy machine is slow);
// fails with the pixels still differing. A timeout of 0 asks for it at once.
export async function shows(tab, shot, timeout = 20000) {
  const end = Date.now() + timeout;
  let differ;
  while ((differ = await differingPixels(tab, shot)) !== 0 && Date.now() < end) await new Promise((done) => setTimeout(done, 100));
  assert.equal(differ, 0, `${differ} pixels differ from ${shot.name}`);
}

// Where display pixel (x, y) is on the page, and the canvas's box.
export function pointOf(tab, [x, y]) {
  return tab.evaluate(([x, y]) => {
    const { left, top, width, height } = document.getElementById('display').getBoundingClientRect();
    return { x: left + ((x + 0.5) * width) / 240, y: top + ((y + 0.5) * height) / 320, box: { left, top, width, height, view: window.innerWidth } };
  }, [x, y]);
}

// A click of the mouse at display pixel `at` of a Playwright page.
export async function clickPage(page, at) {
  const { x, y } = await pointOf(page, at);
  await page.mouse.click(x, y);
}
