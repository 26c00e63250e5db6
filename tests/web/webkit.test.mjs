// SPDX-License-Identifier: GPL-3.0-or-later
// The form cases and the focus ring in Debian's WebKitGTK (MiniBrowser).
import { browserSession, runTable } from './cases.mjs';
import { focusRingTests } from './focus_ring.mjs';

const session = browserSession('webkit');
runTable(session);
focusRingTests(session);
