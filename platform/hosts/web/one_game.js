// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// One game per browser, through a Web Lock that the playing tab holds. A browser without Web
// Locks (older iPads; a page served over plain HTTP from another machine) or one that refuses
// them here plays without the check and says nothing of it.
//
// A page kept in the back-forward cache is no game that anyone can see: it gives the lock up,
// so that a new tab may start one, and asks again when it is shown. Another tab may have
// started a game meanwhile; the page comes back as the second game only if it checks again.

const NAME = 'quillby';

export class OneGame {
  constructor(locks = globalThis.navigator?.locks) {
    this.locks = locks;
    this.release = null;
  }

  // Resolves true when this page may play (and holds the lock until `giveUp`), false when
  // another tab plays.
  claim() {
    if (!this.locks || this.release) return Promise.resolve(true);
    return new Promise((resolve) => {
      const granted = (lock) => {
        if (!lock) {
          resolve(false);
          return undefined;
        }
        resolve(true);
        return new Promise((release) => (this.release = release));
      };
      try {
        this.locks.request(NAME, { ifAvailable: true }, granted).catch(() => resolve(true));
      } catch {
        resolve(true);
      }
    });
  }

  giveUp() {
    const release = this.release;
    this.release = null;
    if (release) release();
  }
}
