// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A tab over a page of playwright's or puppeteer's, whose pages answer alike; only their fingers
// differ, so each driver brings its own `finger(kind, id, x, y)`.
const BUTTONS = ['left', 'middle', 'right'];

export function pageTab(page, finger) {
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  page.on('console', (m) => m.type() === 'error' && errors.push(m.text()));
  return {
    goto: (url) => page.goto(url),
    evaluate: (fn, arg) => page.evaluate(fn, arg),
    async mouse(kind, x, y, button = 0) {
      await page.mouse.move(x, y);
      if (kind !== 'move') await page.mouse[kind]({ button: BUTTONS[button] });
    },
    finger,
    errors: () => errors,
    show: () => page.bringToFront(),
    close: () => page.close(),
  };
}
