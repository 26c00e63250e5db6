// SPDX-License-Identifier: GPL-3.0-or-later
// The form cases in Debian's WebKitGTK (MiniBrowser).
import { browserSession, runTable } from './cases.mjs';

const session = browserSession('webkit');
runTable(session);
