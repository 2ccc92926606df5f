// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The page as a person meets it, the same in every browser: the canvas's own pixels against the
// headless golden screenshots, sounds against the headless log and heard, the mouse's left
// button and one finger as the stylus, the close button and "Play again", offline after one
// visit, one game per browser however its tabs are opened, and a tab opened behind another.
// Each browser's driver (engines/) gives windows with tabs that navigate, evaluate, and press
// the mouse and fingers at points of the page; each case has a server, so an origin, of its own.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { SITE, needSite, serve } from './harness.mjs';
import { startsOnceShown } from './hidden_start.mjs';
import { differingPixels, golden, headless, pointOf, shows } from './screens.mjs';

const START = `?start-tick=2026&test`;
const TITLE_TAP = [120, 160];
const QUIZ_SWITCH = [75, 20];
const CLOSE = [227, 13];
const NEXT_ARROW = [170, 282];
const PICTURE = [120, 200];
const WAIT_MS = 20000; // a cold browser on a busy 2-core machine
const RIGHT = 2;
const MIDDLE = 1;

// Registers every case for the browser that `startEngine` starts once for them all.
export function pageCases(startEngine) {
  let engine;
  before(async () => {
    needSite();
    engine = await startEngine();
  });
  after(() => engine?.close());
  for (const [name, run] of Object.entries(CASES)) test(name, (t) => run(engine, t));
}

const usedPorts = new Set();
// A server on a port no earlier case used: an origin with nothing kept from before.
async function freshSite(options) {
  for (;;) {
    const site = await serve(SITE, options);
    const port = new URL(site.url).port;
    if (!usedPorts.has(port)) {
      usedPorts.add(port);
      return site;
    }
    await site.close();
  }
}

// Runs `body(win, site)` in a browser window of its own on a site of its own.
async function inWindow(engine, view, body, siteOptions) {
  const site = await freshSite(siteOptions);
  const win = await engine.window(view);
  try {
    await body(win, site);
  } finally {
    await win.close();
    await site.close();
  }
}

// Waits until `fn` (run in the page) gives something true, and returns it.
async function until(tab, fn, what, arg) {
  const end = Date.now() + WAIT_MS;
  for (;;) {
    const value = await tab.evaluate(fn, arg).catch(() => null); // the page may be between documents
    if (value) return value;
    if (Date.now() > end) assert.fail(`${what} did not happen within ${WAIT_MS / 1000} s`);
    await new Promise((done) => setTimeout(done, 100));
  }
}

async function openGame(win, url) {
  const tab = await win.tab();
  await tab.goto(url);
  await until(tab, () => window.quillbyTest?.firstFrameMs != null, 'the first frame');
  return tab;
}

const record = (tab) => tab.evaluate(() => window.quillbyTest);

async function noErrors(tab) {
  const { errors } = await record(tab);
  assert.deepEqual([...tab.errors(), ...errors], [], 'the page reported errors');
}

// The canvas shows the screenshot and goes on showing it for a while: what a press that should
// do nothing would have changed by then.
async function keepsShowing(tab, shot, ms = 700) {
  const end = Date.now() + ms;
  do assert.equal(await differingPixels(tab, shot), 0, `the canvas changed from ${shot.name}`);
  while (Date.now() < end);
}

async function clickAt(tab, { x, y }, button = 0) {
  await tab.mouse('down', x, y, button);
  await tab.mouse('up', x, y, button);
}

const click = async (tab, at, button) => clickAt(tab, await pointOf(tab, at), button);

async function fingerTap(tab, id, at) {
  const { x, y } = await pointOf(tab, at);
  await tab.finger('down', id, x, y);
  await tab.finger('up', id);
}

const clickElement = async (tab, selector) =>
  clickAt(
    tab,
    await tab.evaluate((s) => {
      const { left, top, width, height } = document.querySelector(s).getBoundingClientRect();
      return { x: left + width / 2, y: top + height / 2 };
    }, selector),
  );

const visible = (tab, selector) => tab.evaluate((s) => !!document.querySelector(s)?.checkVisibility(), selector);
const serviceWorkerReady = (tab) => tab.evaluate(() => navigator.serviceWorker.ready.then(() => true));

const CASES = {
  async 'the title, a tap into the game and the quiz switch match the headless run, and are heard'(engine) {
    await inWindow(engine, { width: 480, height: 640 }, async (win, site) => {
      const tab = await openGame(win, site.url + START);
      await shows(tab, golden('title'));
      await click(tab, TITLE_TAP);
      await shows(tab, golden('card'));
      await click(tab, QUIZ_SWITCH);
      await shows(tab, golden('quiz'));
      assert.deepEqual((await record(tab)).sounds, headless('500 down 120 160\n540 up 120 160\n2000 down 75 20\n2040 up 75 20\n').sounds.map(([, id]) => id));
      await until(tab, () => window.quillbyTest.audio.includes('running'), 'the sound playing');
      await noErrors(tab);
    });
  },

  async 'a finger plays as the mouse does; other fingers are ignored while one rests'(engine) {
    await inWindow(engine, { width: 390, height: 844, touch: true }, async (win, site) => {
      const tab = await openGame(win, site.url + START);
      await fingerTap(tab, 1, TITLE_TAP);
      await shows(tab, golden('card'));
      if (engine.fingers > 1) {
        // A palm rests on the picture while another finger taps the quiz switch, again and again.
        const rest = await pointOf(tab, PICTURE);
        await tab.finger('down', 1, rest.x, rest.y);
        for (let id = 2; id <= 4; ++id) await fingerTap(tab, id, QUIZ_SWITCH);
        await tab.finger('up', 1);
        await keepsShowing(tab, golden('card'));
      }
      await fingerTap(tab, 5, QUIZ_SWITCH);
      await shows(tab, golden('quiz'));
      await noErrors(tab);
    });
  },

  async 'an arrow pressed and released outside the canvas comes back up'(engine) {
    // The arrow steps the card as it goes down; let go anywhere, it comes back up.
    const run = headless('50 down 120 160\n90 up 120 160\n1000 down 170 282\n1500 shot held\n1600 up 239 282\n2600 shot after\n');
    await inWindow(engine, { width: 700, height: 700 }, async (win, site) => {
      const tab = await openGame(win, site.url + START);
      await click(tab, TITLE_TAP);
      await shows(tab, golden('card'));
      const arrow = await pointOf(tab, NEXT_ARROW);
      await tab.mouse('down', arrow.x, arrow.y);
      await shows(tab, run.shots.held);
      const outside = arrow.box.left + arrow.box.width + 40;
      assert.ok(outside < arrow.box.view, 'the window leaves room beside the canvas');
      await tab.mouse('move', outside, arrow.y);
      await tab.mouse('up', outside, arrow.y);
      await shows(tab, run.shots.after);
      await noErrors(tab);
    });
  },

  async 'the close button ends the game, "Play again" starts a fresh one, and the page opens again with no network'(engine) {
    await inWindow(engine, { width: 480, height: 640 }, async (win, site) => {
      const tab = await openGame(win, site.url + START);
      await serviceWorkerReady(tab); // its copies are no game's loading
      await click(tab, TITLE_TAP);
      await shows(tab, golden('card'));
      await click(tab, CLOSE);
      await until(tab, () => document.getElementById('again').checkVisibility(), '"Play again"');
      assert.deepEqual((await record(tab)).exits, [0]);
      assert.ok(await visible(tab, '#display.ended'), 'the title is dimmed');
      await shows(tab, golden('title'));
      const requests = site.requests.length;
      await clickElement(tab, '#again');
      await until(tab, () => !document.getElementById('again').checkVisibility(), '"Play again" going');
      assert.equal(await visible(tab, '#display.ended'), false);
      await shows(tab, golden('title'));
      await click(tab, TITLE_TAP);
      await shows(tab, golden('card'));
      assert.deepEqual(site.requests.slice(requests), [], 'nothing loaded again from the network');
      await noErrors(tab);
      await site.close();
      await tab.goto(site.url + START);
      await until(tab, () => window.quillbyTest?.firstFrameMs != null, 'the first frame offline');
      await shows(tab, golden('title'));
      await click(tab, TITLE_TAP);
      await shows(tab, golden('card'));
      await noErrors(tab);
    });
  },

  async 'a second tab, even one opened at the same moment, says the game is open elsewhere; the game plays on'(engine) {
    // Each tab opens the site under a folder of its own, and the server holds the page, whose
    // own script asks for the one game's lock, until both tabs have asked for it, then gives it
    // to both at once (under one address, a browser would fetch it once for both).
    // Either tab may win; never both, never neither. Each round is a new site, so a new lock;
    // the sites stay up to the end for what the games still fetch meanwhile.
    const sites = [];
    try {
      await inWindow(engine, { width: 480, height: 640 }, async (win) => {
        const tabs = [await win.tab(), await win.tab()];
        let game;
        for (let round = 1; round <= 3; ++round) {
          const holding = ['/a/', '/b/'];
          const site = await freshSite({ copies: ['/a/', '/b/'], holding });
          sites.push(site);
          const open = (tab, i) => tab.evaluate((url) => setTimeout(() => location.assign(url)) && true, `${site.url}${'ab'[i]}/${START}`);
          await Promise.all(tabs.map(open));
          const end = Date.now() + WAIT_MS;
          while (site.held() < holding.length && Date.now() < end) await new Promise((done) => setTimeout(done, 20));
          assert.equal(site.held(), holding.length, 'both tabs loading at once');
          site.release();
          const outcomes = [];
          for (const tab of tabs)
            outcomes.push(
              // Until its new document arrives a tab shows the last round's; a game behind waits to be shown.
              await until(
                tab,
                (origin) =>
                  location.origin === origin &&
                  (window.quillbyTest?.readyMs != null ? 'game' : document.getElementById('message')?.checkVisibility() && 'message'),
                'a game or the message',
                new URL(site.url).origin,
              ),
            );
          assert.deepEqual([...outcomes].sort(), ['game', 'message'], `round ${round}`);
          game = tabs[outcomes.indexOf('game')];
          const other = tabs[outcomes.indexOf('message')];
          assert.equal(await other.evaluate(() => document.getElementById('message').textContent), 'Quillby is already open in another tab.');
          assert.equal(await other.evaluate(() => document.querySelectorAll('canvas').length), 0);
          for (const tab of tabs) await noErrors(tab);
        }
        await game.show();
        await click(game, TITLE_TAP);
        await shows(game, golden('card'));
      });
    } finally {
      for (const site of sites) site.release();
      await Promise.all(sites.map((site) => site.close()));
    }
  },

  async 'a page whose program cannot load says so in one line'(engine) {
    await inWindow(
      engine,
      { width: 480, height: 640 },
      async (win, site) => {
        const tab = await win.tab();
        await tab.goto(site.url + START);
        await until(tab, () => document.getElementById('message').checkVisibility(), 'the message');
        assert.match(await tab.evaluate(() => document.getElementById('message').textContent), /could not start/);
        assert.equal(await tab.evaluate(() => document.querySelectorAll('canvas').length), 0);
      },
      { missing: ['/quillby.wasm'] },
    );
  },

  async 'a tab opened behind another starts its game, its clock and its opening sound only once shown'(engine, t) {
    if (!engine.opensBehind) return t.skip('its driver keeps every tab shown: lifecycle_test.mjs opens one behind');
    await inWindow(engine, { width: 480, height: 640 }, async (win, site) => {
      const tab = await win.tab({ behind: true });
      await tab.goto(site.url + START);
      await startsOnceShown(tab, () => tab.show());
      await noErrors(tab);
    });
  },

  // Last: a driver may not release the other buttons well (engines/webkit.mjs).
  async "only the mouse's left button is the stylus"(engine) {
    await inWindow(engine, { width: 480, height: 640 }, async (win, site) => {
      const card = await openGame(win, site.url + START);
      await click(card, TITLE_TAP);
      await shows(card, golden('card'));
      await click(card, QUIZ_SWITCH, RIGHT);
      await click(card, QUIZ_SWITCH, MIDDLE);
      await keepsShowing(card, golden('card'));
      await noErrors(card);
      await card.close();
      const title = await openGame(win, site.url + START);
      await shows(title, golden('title'));
      const before = (await record(title)).sounds;
      await click(title, TITLE_TAP, RIGHT);
      await click(title, TITLE_TAP, MIDDLE);
      await keepsShowing(title, golden('title'));
      assert.deepEqual((await record(title)).sounds, before, 'no sound from the other buttons');
      await noErrors(title);
    });
  },
};
