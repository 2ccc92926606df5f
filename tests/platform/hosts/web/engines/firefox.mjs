// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Debian's Firefox ESR through puppeteer-core over WebDriver BiDi, as the page's cases drive a
// browser (page_cases.mjs): each window a private context, with a sound server of its own,
// without which Firefox's audio context never runs. A tab may open behind another.
import puppeteer from 'puppeteer-core';
import { pageTab } from './page_tab.mjs';
import { need, startSoundServer } from './services.mjs';

const FIREFOX = process.env.QUILLBY_FIREFOX || '/usr/bin/firefox-esr';

export async function startFirefox() {
  need(FIREFOX, 'firefox-esr');
  const sound = await startSoundServer();
  let browser;
  try {
    // Pages keep the window's size: Firefox ESR 140 lacks the screen orientation override that
    // puppeteer sends with a viewport.
    const options = { browser: 'firefox', executablePath: FIREFOX, headless: true, defaultViewport: null };
    browser = await puppeteer.launch({ ...options, env: { ...process.env, ...sound.env } });
  } catch (e) {
    await sound.stop();
    throw e;
  }
  return {
    fingers: 10,
    opensBehind: true,
    async window() {
      const context = await browser.createBrowserContext();
      return { tab: (options) => openTab(context, options), close: () => context.close() };
    },
    async close() {
      await browser.close();
      await sound.stop();
    },
  };
}

// A tab in front; or with `behind` behind a blank one, as a link opened in the background is,
// until its `show()` brings it forward.
async function openTab(context, { behind = false } = {}) {
  if (behind) await context.newPage();
  const page = await context.newPage({ background: behind });
  const fingers = new Map();
  return pageTab(page, async (kind, id, x, y) => {
    if (kind === 'down') fingers.set(id, await page.touchscreen.touchStart(x, y));
    else {
      await fingers.get(id).end();
      fingers.delete(id);
    }
  });
}
