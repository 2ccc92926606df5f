// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The program's loop waiting in the browser between its looks at the queue (library_quillby.js
// unwinds it to the browser there): a wait ends when its time is up or input comes, and one
// made while the page is away lasts until the page is back, however long it asked for.

export class LoopWait {
  // `onLate` hears how many milliseconds after its time each timed wait ended.
  constructor(onLate = null) {
    this.onLate = onLate;
    this.away = false;
    this.resume = null; // the program's way on, while it waits
    this.timer = 0;
    this.asked = 0;
    this.start = 0;
    // A wait ends through a message rather than in the timer's own callback: browsers stretch a
    // timer set from inside another timer's callback to at least 4 ms, one set from a message to
    // no more than asked.
    this.waking = new MessageChannel();
    this.waking.port1.onmessage = () => this.away || this.wake(); // away, the program sleeps on
  }

  // The program waits `ms` (below zero, until input) and goes on through `resume`: at once
  // when input is already waiting for it.
  wait(ms, resume, inputWaiting) {
    this.resume = resume;
    this.asked = ms;
    this.start = performance.now();
    if (inputWaiting) queueMicrotask(() => this.wake());
    else if (ms >= 0 && !this.away) this.timer = setTimeout(() => this.waking.port2.postMessage(0), ms);
  }

  // Input has come, or the time is up: the program goes on.
  wake() {
    if (!this.resume) return;
    const resume = this.resume;
    this.resume = null;
    clearTimeout(this.timer);
    if (this.asked >= 0) this.onLate?.(performance.now() - this.start - this.asked);
    resume();
  }

  // Away, the program sleeps on at its wait; back, it goes on from there.
  setAway(away) {
    this.away = away;
    if (away) {
      clearTimeout(this.timer);
      return;
    }
    this.asked = -1; // no lateness: the wait was the page's absence
    if (this.resume) this.waking.port2.postMessage(0);
  }
}
