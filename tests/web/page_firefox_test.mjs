// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The page's cases in Firefox.
import { startFirefox } from './engines/firefox.mjs';
import { pageCases } from './page_cases.mjs';

pageCases(startFirefox);
