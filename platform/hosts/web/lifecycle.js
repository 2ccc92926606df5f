// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A page that goes away and comes back: hidden (another app, the lock screen), frozen by the
// browser, or kept in the back-forward cache. While it is away the game stands still, as a
// handheld does when it is switched off: its clock stops and its loop sleeps, so that a
// sparkle goes on from the frame it was at, neither ending unseen in a throttled background
// tab nor racing through the time that passed. Timers cannot do this for us: a hidden tab's
// run once a second or less, a frozen or cached one's not at all.

// The program's milliseconds: the page's monotonic clock less the time the page was away.
export class GameClock {
  constructor(pageNow = () => performance.now()) {
    this.pageNow = pageNow;
    this.awayMs = 0;
    this.stoppedAt = null;
  }

  now() {
    return (this.stoppedAt ?? this.pageNow()) - this.awayMs;
  }

  stop() {
    if (this.stoppedAt === null) this.stoppedAt = this.pageNow();
  }

  run() {
    if (this.stoppedAt === null) return;
    this.awayMs += this.pageNow() - this.stoppedAt;
    this.stoppedAt = null;
  }
}

// Why the page is away, each reason set and cleared by its own events ('hidden', 'frozen',
// 'cached'): they come in either order, and the page is back only once none is left.
// `onAway` hears when the first reason comes, `onBack` when the last one goes.
export class Presence {
  constructor(onAway, onBack) {
    this.onAway = onAway;
    this.onBack = onBack;
    this.reasons = new Set();
    this.waiting = []; // what waits for the page to be present
  }

  get away() {
    return this.reasons.size > 0;
  }

  set(reason, present) {
    const wasAway = this.away;
    if (present) this.reasons.add(reason);
    else this.reasons.delete(reason);
    if (!wasAway && this.away) this.onAway();
    else if (wasAway && !this.away) {
      this.onBack();
      for (const resolve of this.waiting.splice(0)) resolve();
    }
  }

  // Resolves once the page is present: at once, or when it is back.
  present() {
    if (!this.away) return Promise.resolve();
    return new Promise((resolve) => this.waiting.push(resolve));
  }

  // Follows the document's visibility and the browser's freezing, from the visibility the page
  // has now: a page may load hidden, in a tab opened behind another or an app relaunched behind
  // the lock screen. (The back-forward cache concerns the one-game lock as well: the page's
  // script follows it.)
  watch(doc = document) {
    const visibility = () => this.set('hidden', doc.visibilityState === 'hidden');
    doc.addEventListener('visibilitychange', visibility);
    doc.addEventListener('freeze', () => this.set('frozen', true));
    doc.addEventListener('resume', () => this.set('frozen', false));
    visibility();
  }
}
