// SPDX-License-Identifier: GPL-3.0-or-later
// The form cases and the focus ring in Debian's firefox-esr.
import { browserSession, runTable } from './cases.mjs';
import { focusRingTests } from './focus_ring.mjs';

const session = browserSession('firefox');
runTable(session);
focusRingTests(session);
