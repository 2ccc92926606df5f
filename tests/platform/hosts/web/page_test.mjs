// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The page's cases in every browser engine, the engines side by side: each mostly waits for
// its browser, so together they take little longer than the slowest alone.
import { describe } from 'node:test';
import { startChromium } from './engines/chromium.mjs';
import { startFirefox } from './engines/firefox.mjs';
import { startWebKit } from './engines/webkit.mjs';
import { languageCases } from './language_cases.mjs';
import { pageCases } from './page_cases.mjs';

// Each engine's cases one after another: a person has one pointer.
const inTurn = { concurrency: 1 };
describe('the page', { concurrency: true }, () => {
  describe('in Chromium', inTurn, () => pageCases(startChromium));
  describe('in Firefox', inTurn, () => pageCases(startFirefox));
  describe('in WebKit', inTurn, () => pageCases(startWebKit));
  describe('in Chromium, another language', inTurn, () => languageCases(startChromium));
  describe('in Firefox, another language', inTurn, () => languageCases(startFirefox));
  describe('in WebKit, another language', inTurn, () => languageCases(startWebKit));
});
