// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Debian's Chromium spoken to over its DevTools pipe, for the tests of a page that is hidden,
// frozen or kept in the back-forward cache. playwright-core cannot make those: it keeps every
// page it drives focused, which Chromium does as it does for a page being captured, so that
// page is never hidden and never frozen (and it turns the back-forward cache off). Here a tab
// is hidden as a person hides it, by opening another tab over it, or opened behind another.
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { CHROMIUM } from './harness.mjs';
import { pointOf } from './screens.mjs';

const ARGS = ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--mute-audio', '--autoplay-policy=user-gesture-required'];

export async function launchOverPipe() {
  const profile = mkdtempSync(join(tmpdir(), 'quillby-chromium-'));
  const child = spawn(CHROMIUM, [...ARGS, `--user-data-dir=${profile}`, '--remote-debugging-pipe', 'about:blank'], {
    stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'],
  });
  return new Browser(child, profile);
}

class Browser {
  constructor(child, profile) {
    this.child = child;
    this.profile = profile;
    this.calls = new Map();
    this.listeners = new Set();
    this.lastId = 0;
    let unread = '';
    child.stdio[4].setEncoding('utf8');
    child.stdio[4].on('data', (chunk) => {
      unread += chunk;
      for (let end; (end = unread.indexOf('\0')) >= 0; unread = unread.slice(end + 1)) {
        const message = JSON.parse(unread.slice(0, end));
        const call = this.calls.get(message.id);
        this.calls.delete(message.id);
        if (!call) for (const listener of this.listeners) listener(message);
        else if (message.error) call.reject(new Error(`${call.method}: ${message.error.message}`));
        else call.resolve(message.result);
      }
    });
  }

  send(method, params = {}, sessionId = undefined) {
    const id = ++this.lastId;
    this.child.stdio[3].write(`${JSON.stringify({ id, method, params, sessionId })}\0`);
    // A frozen page answers nothing: a call to it fails rather than waits for ever.
    return new Promise((resolve, reject) => {
      const timer = setTimeout(() => this.calls.delete(id) && reject(new Error(`${method}: no answer in 20 s`)), 20000);
      const settle = (how) => (value) => {
        clearTimeout(timer);
        how(value);
      };
      this.calls.set(id, { method, resolve: settle(resolve), reject: settle(reject) });
    });
  }

  // A window of its own: a browser context, with storage, locks and caches of its own.
  async window() {
    const { browserContextId } = await this.send('Target.createBrowserContext');
    return new Window(this, browserContextId);
  }

  async close() {
    const ended = new Promise((done) => this.child.once('exit', done));
    const stubborn = setTimeout(() => this.child.kill(), 5000);
    await this.send('Browser.close').catch(() => this.child.kill());
    await ended;
    clearTimeout(stubborn);
    rmSync(this.profile, { recursive: true, force: true, maxRetries: 10 });
  }
}

// A private window's tabs. `close()` closes them all at once, whatever they hold (the one
// game's lock, a frozen page, a page kept in the back-forward cache): nothing of them is left
// for the next window.
class Window {
  constructor(browser, contextId) {
    Object.assign(this, { browser, contextId, listeners: [] });
  }

  // A new tab in the window's front, going to `url`, or with `behind` behind a blank one, as a
  // link opened in the background is (`show()` brings it forward). `metrics` are
  // Emulation.setDeviceMetricsOverride's (a phone's gets touch), `insets` the screen's
  // safe-area insets; `init` runs before the page's.
  async open(url, { metrics = { width: 480, height: 640, deviceScaleFactor: 1, mobile: false }, insets, init, behind = false } = {}) {
    const cover = behind ? await this.blank() : null;
    const targetId = await this.blank({ background: behind });
    const { sessionId } = await this.browser.send('Target.attachToTarget', { targetId, flatten: true });
    const tab = new Tab(this, targetId, sessionId, metrics.mobile);
    tab.cover = cover;
    const errors = (m) => m.sessionId === sessionId && m.method === 'Runtime.exceptionThrown' && tab.errors.push(m.params.exceptionDetails);
    this.browser.listeners.add(errors);
    this.listeners.push(errors);
    await tab.send('Runtime.enable');
    await tab.send('Page.enable');
    await tab.turn(metrics);
    if (metrics.mobile) await tab.send('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 });
    if (insets) await tab.send('Emulation.setSafeAreaInsetsOverride', { insets });
    if (init) await tab.send('Page.addScriptToEvaluateOnNewDocument', { source: init });
    await tab.send('Page.navigate', { url });
    return tab;
  }

  // A blank tab in front of the others, or behind the one in front: its target's id.
  async blank({ background = false } = {}) {
    const { targetId } = await this.browser.send('Target.createTarget', { url: 'about:blank', browserContextId: this.contextId, background });
    return targetId;
  }

  async close() {
    for (const listener of this.listeners) this.browser.listeners.delete(listener);
    await this.browser.send('Target.disposeBrowserContext', { browserContextId: this.contextId });
  }
}

class Tab {
  constructor(win, targetId, sessionId, touch) {
    Object.assign(this, { browser: win.browser, win, targetId, sessionId, touch, errors: [], cover: null });
  }

  send(method, params = {}) {
    return this.browser.send(method, params, this.sessionId);
  }

  // The value of `fn(...args)` in the page, awaited.
  async evaluate(fn, ...args) {
    const expression = `(${fn})(...${JSON.stringify(args)})`;
    const { result, exceptionDetails } = await this.send('Runtime.evaluate', { expression, awaitPromise: true, returnByValue: true });
    if (exceptionDetails) throw new Error(`in the page: ${exceptionDetails.exception?.description ?? exceptionDetails.text}`);
    return result.value;
  }

  // Waits until `fn(...args)` in the page is true; the time is generous, the machine may be busy.
  async waitFor(fn, what, ...args) {
    const timeout = 15000;
    const end = Date.now() + timeout;
    while (!(await this.evaluate(fn, ...args).catch(() => false))) {
      if (Date.now() > end) throw new Error(`waited ${timeout} ms for ${what}`);
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
  }

  // Another tab in front hides this one; closing it and bringing this one back shows it.
  async hide() {
    this.cover = await this.win.blank();
  }

  // Only a switch of tabs shows a tab again, also one the browser hid itself (freezing does).
  async show() {
    if (!this.cover) await this.hide();
    await this.browser.send('Target.activateTarget', { targetId: this.targetId });
    await this.browser.send('Target.closeTarget', { targetId: this.cover });
    this.cover = null;
  }

  close() {
    return this.browser.send('Target.closeTarget', { targetId: this.targetId }).catch(() => {});
  }

  // A screen of this size and orientation, as a phone turned.
  turn(metrics) {
    return this.send('Emulation.setDeviceMetricsOverride', metrics);
  }

  // A tap at display pixel (x, y), by finger on a phone, by mouse otherwise; or only its press.
  async tap(point, { release = true } = {}) {
    const { x, y } = await pointOf(this, point);
    const at = { x, y };
    if (this.touch) {
      await this.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [at] });
      if (release) await this.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
      return;
    }
    for (const type of release ? ['mousePressed', 'mouseReleased'] : ['mousePressed'])
      await this.send('Input.dispatchMouseEvent', { type, ...at, button: 'left', clickCount: 1 });
  }

  press(point) {
    return this.tap(point, { release: false });
  }
}
