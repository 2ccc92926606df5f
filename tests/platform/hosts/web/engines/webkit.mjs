// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// WebKitGTK's MiniBrowser through WebKitWebDriver and selenium-webdriver, as the page's cases
// drive a browser (page_cases.mjs). MiniBrowser has no headless mode: it runs on an Xvfb of
// its own, with a sound server of its own. What WebKit's driver cannot do:
// - private windows: every window shares one storage (the cases give each its own origin);
// - several fingers: its touch pointers arrive as the mouse, so it has one;
// - the console: the page's test record keeps the errors instead;
// - release a button other than the left: it releases the left instead and the other stays
//   down for the browser's life, so a session that pressed one is replaced before the next
//   window;
// - open a window quickly: one takes seconds, so a closed tab's window is kept for the next.
import { Builder } from 'selenium-webdriver';
import { Command, Name } from 'selenium-webdriver/lib/command.js';
import { child, freePort, listening, need, startDisplay, startSoundServer, within } from './services.mjs';

const DRIVER = process.env.QUILLBY_WEBKIT_DRIVER || '/usr/bin/WebKitWebDriver';
const MINIBROWSER = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';

export async function startWebKit() {
  need(DRIVER, 'webkit2gtk-driver');
  need(MINIBROWSER, 'libwebkit2gtk-4.1-0');
  const stops = [];
  const stop = async () => {
    while (stops.length) await stops.pop()();
  };
  let server;
  let session;
  try {
    const screen = await startDisplay();
    stops.push(screen.stop);
    const sound = await startSoundServer();
    stops.push(sound.stop);
    const port = await freePort();
    const driver = child(DRIVER, [`--port=${port}`], { stdio: 'ignore', env: { ...process.env, ...sound.env, DISPLAY: screen.display } });
    stops.push(driver.stop);
    await driver.ready(() => listening(port), "WebKit's driver starting");
    server = `http://127.0.0.1:${port}`;
    session = await openSession(server);
    stops.push(() => within(10000, session.driver.quit(), "WebKit's session ending").catch(() => {})); // then its driver ends
  } catch (e) {
    await stop();
    throw e;
  }
  return {
    fingers: 1,
    opensBehind: true,
    async window(view) {
      if (session.spoiled) {
        await session.driver.quit();
        session = await openSession(server);
      }
      const tabs = [];
      return {
        tab: async (options) => tabs[tabs.push(await openTab(session, view, options)) - 1],
        close: async () => {
          for (const tab of tabs) await tab.close();
        },
      };
    },
    close: stop,
  };
}

async function openSession(server) {
  const driver = new Builder().usingServer(server).withCapabilities({ browserName: 'MiniBrowser' }).build();
  // Without a display MiniBrowser never answers.
  await within(30000, driver.getSession(), "WebKit's session starting");
  await driver.manage().setTimeouts({ pageLoad: 30000, script: 30000 });
  const first = await driver.getWindowHandle();
  return { driver, current: first, blank: [first], turn: Promise.resolve(), spoiled: false };
}

// The driver has one current window: what the tabs do is done in turn, each in its window.
function inTurn(session, handle, work) {
  return (session.turn = session.turn
    .catch(() => {})
    .then(async () => {
      if (handle && session.current !== handle) await session.driver.switchTo().window(handle);
      session.current = handle ?? session.current;
      return work();
    }));
}

// A window's tab; or with `behind` a tab behind it, as a link opened in the background is (a
// new tab of MiniBrowser's opens so), until its `show()` closes the window's own in front.
async function openTab(session, { width, height }, { behind = false } = {}) {
  const driver = session.driver;
  const front = await inTurn(session, null, async () => {
    const kept = session.blank.pop();
    if (kept) await driver.switchTo().window(kept);
    else await driver.switchTo().newWindow('window');
    session.current = kept ?? (await driver.getWindowHandle());
    await driver.manage().window().setRect({ width, height });
    return session.current;
  });
  let cover = behind ? front : null;
  const handle = behind
    ? await inTurn(session, front, async () => {
        await driver.switchTo().newWindow('tab');
        return (session.current = await driver.getWindowHandle());
      })
    : front;
  const closeCurrent = async () => {
    await driver.close();
    session.current = null;
  };
  let open = true;
  const pointer = (type, kind, x, y, button) => {
    const actions = x === undefined ? [] : [{ type: 'pointerMove', x: Math.round(x), y: Math.round(y), duration: 0 }];
    if (kind !== 'move') actions.push({ type: kind === 'down' ? 'pointerDown' : 'pointerUp', button });
    const source = { type: 'pointer', id: type, parameters: { pointerType: type }, actions };
    return inTurn(session, handle, () => driver.execute(new Command(Name.ACTIONS).setParameter('actions', [source])));
  };
  return {
    goto: (url) => inTurn(session, handle, () => driver.get(url)),
    evaluate: (fn, arg) => inTurn(session, handle, () => driver.executeScript(`return (${fn}).call(null, arguments[0]);`, arg ?? null)),
    mouse: (kind, x, y, button = 0) => {
      if (button !== 0) session.spoiled = true;
      return pointer('mouse', kind, x, y, button);
    },
    finger: (kind, id, x, y) => pointer('touch', kind, x, y, 0),
    errors: () => [],
    async show() {
      const inFront = cover;
      cover = null;
      if (inFront) await inTurn(session, inFront, closeCurrent);
    },
    // A tab still behind another goes, and the window's own in front of it is kept.
    async close() {
      if (!open) return;
      open = false;
      await inTurn(session, handle, async () => {
        if (cover) {
          session.blank.push(cover);
          await closeCurrent();
          return;
        }
        await driver.get('about:blank');
        session.blank.push(handle);
      });
    },
  };
}
