// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The page's cases in WebKit.
import { startWebKit } from './engines/webkit.mjs';
import { pageCases } from './page_cases.mjs';

pageCases(startWebKit);
