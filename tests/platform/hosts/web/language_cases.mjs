// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The page in another language, the same in every browser: `?lang=` plays the game as the
// headless run with --language does (the ring's last card, a step back from A, is that
// alphabet's last small letter); a value Quillby has no language for plays in English.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { SITE, needSite, serve } from './harness.mjs';
import { golden, headless, pointOf, shows } from './screens.mjs';

const TAPS = '100 down 120 160\n140 up 120 160\n1000 down 70 282\n1040 up 70 282\n1500 shot last\n';
const WAIT_MS = 20000;

export function languageCases(startEngine) {
  let engine;
  before(async () => {
    needSite();
    engine = await startEngine();
  });
  after(() => engine?.close());
  for (const [lang, expected] of [
    ['de', 'de'],
    ['es', 'es'],
    ['xx', null],
    ['', null],
  ])
    test(`?lang=${lang} plays ${expected ? `as --language ${expected}` : 'in English'}`, () => play(engine, lang, expected));
}

async function play(engine, lang, expected) {
  const site = await serve(SITE);
  const win = await engine.window({ width: 480, height: 640 });
  try {
    const tab = await win.tab();
    await tab.goto(`${site.url}?start-tick=2026&test&lang=${lang}`);
    const end = Date.now() + WAIT_MS;
    while (!(await tab.evaluate(() => window.quillbyTest?.firstFrameMs != null).catch(() => false))) {
      if (Date.now() > end) assert.fail('the first frame did not come');
      await new Promise((done) => setTimeout(done, 100));
    }
    for (const at of [[120, 160], [70, 282]]) {
      const { x, y } = await pointOf(tab, at);
      await tab.mouse('down', x, y, 0);
      await tab.mouse('up', x, y, 0);
      if (at[0] === 120) await shows(tab, expected ? headless('100 down 120 160\n140 up 120 160\n500 shot card\n', { language: expected }).shots.card : golden('card'));
    }
    const last = headless(TAPS, expected ? { language: expected } : {}).shots.last;
    await shows(tab, last);
    assert.deepEqual((await tab.evaluate(() => window.quillbyTest.errors)) ?? [], [], 'the page reported errors');
  } finally {
    await win.close();
    await site.close();
  }
}
