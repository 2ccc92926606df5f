// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Pointer events (mouse, touch, pen) as the handheld's one stylus: the first pointer down is
// the stylus until it lifts, and other fingers meanwhile are ignored. A release anywhere,
// even outside the canvas, ends the press on the canvas's nearest edge pixel.

import { DISPLAY_HEIGHT, DISPLAY_WIDTH } from './layout.js';

// The kinds of input as the program's backend numbers them (js_page.cpp).
export const INPUT_DOWN = 1;
export const INPUT_UP = 2;

// The display pixel under a point of the page, given the canvas's box on the page; a point
// outside the box is moved onto its nearest edge pixel.
export function displayPoint(clientX, clientY, box) {
  const x = Math.floor(((clientX - box.left) * DISPLAY_WIDTH) / box.width);
  const y = Math.floor(((clientY - box.top) * DISPLAY_HEIGHT) / box.height);
  return {
    x: Math.min(Math.max(x, 0), DISPLAY_WIDTH - 1),
    y: Math.min(Math.max(y, 0), DISPLAY_HEIGHT - 1),
  };
}

export class Stylus {
  // `send` receives {kind, x, y} for every press and release of the stylus.
  constructor(send) {
    this.send = send;
    this.pointer = null; // the id of the pointer that is the stylus, while it is down
    this.last = { x: 0, y: 0 };
  }

  get down() {
    return this.pointer !== null;
  }

  // True when this pointer became the stylus.
  press(pointerId, clientX, clientY, box) {
    if (this.pointer !== null) return false;
    this.pointer = pointerId;
    this.last = displayPoint(clientX, clientY, box);
    this.send({ kind: INPUT_DOWN, ...this.last });
    return true;
  }

  move(pointerId, clientX, clientY, box) {
    if (pointerId === this.pointer) this.last = displayPoint(clientX, clientY, box);
  }

  // True when this was the stylus's release.
  release(pointerId, clientX, clientY, box) {
    if (pointerId !== this.pointer) return false;
    this.pointer = null;
    this.last = displayPoint(clientX, clientY, box);
    this.send({ kind: INPUT_UP, ...this.last });
    return true;
  }

  // The browser took the pointer away (a gesture, the window lost focus): the stylus lifts
  // where it was last seen.
  cancel(pointerId) {
    if (pointerId !== this.pointer) return false;
    this.pointer = null;
    this.send({ kind: INPUT_UP, ...this.last });
    return true;
  }
}
