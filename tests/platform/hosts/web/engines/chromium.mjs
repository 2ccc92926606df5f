// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Debian's Chromium through playwright-core, as the page's cases drive a browser
// (page_cases.mjs): each window a private context, touch through the DevTools protocol.
import { CHROMIUM, launch } from '../harness.mjs';
import { pageTab } from './page_tab.mjs';
import { need } from './services.mjs';

export async function startChromium() {
  need(CHROMIUM, 'chromium');
  const browser = await launch();
  return {
    fingers: 10,
    async window({ width, height, touch = false }) {
      const context = await browser.newContext({ viewport: { width, height }, hasTouch: touch, isMobile: touch, deviceScaleFactor: touch ? 3 : 1 });
      return { tab: () => openTab(context), close: () => context.close() };
    },
    close: () => browser.close(),
  };
}

async function openTab(context) {
  const page = await context.newPage();
  const fingers = new Map();
  let touch = null;
  // The protocol's touchStart names every finger down; its touchEnd, the fingers lifted.
  const sendTouch = async (type, points) => {
    touch ??= await context.newCDPSession(page);
    await touch.send('Input.dispatchTouchEvent', { type, touchPoints: points.map(([id, at]) => ({ id, ...at })) });
  };
  return pageTab(page, async (kind, id, x, y) => {
    if (kind === 'down') {
      fingers.set(id, { x, y });
      await sendTouch('touchStart', [...fingers]);
    } else {
      await sendTouch('touchEnd', [[id, fingers.get(id)]]);
      fingers.delete(id);
    }
  });
}
