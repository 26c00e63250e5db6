// SPDX-License-Identifier: GPL-3.0-or-later
// The form cases, the focus ring and the word box in Debian's chromium.
import { browserSession, runTable } from './cases.mjs';
import { focusRingTests } from './focus_ring.mjs';
import { wordBoxTests } from './word_box.mjs';

const session = browserSession('chromium');
runTable(session);
focusRingTests(session);
wordBoxTests(session);
