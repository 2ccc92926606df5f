// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The page's cases in Chromium.
import { startChromium } from './engines/chromium.mjs';
import { pageCases } from './page_cases.mjs';

pageCases(startChromium);
