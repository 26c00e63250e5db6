// SPDX-License-Identifier: GPL-3.0-or-later
// The form cases in Debian's firefox-esr.
import { browserSession, runTable } from './cases.mjs';

const session = browserSession('firefox');
runTable(session);
