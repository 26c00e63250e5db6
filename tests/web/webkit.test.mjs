// SPDX-License-Identifier: GPL-3.0-or-later
// The form cases, the focus ring, the word box and the dialog for typing
// own words in Debian's WebKitGTK (MiniBrowser).
import { browserSession, runTable } from './cases.mjs';
import { focusRingTests } from './focus_ring.mjs';
import { typedWordsTests } from './typed_words.mjs';
import { wordBoxTests } from './word_box.mjs';

const session = browserSession('webkit');
runTable(session);
focusRingTests(session);
wordBoxTests(session);
typedWordsTests(session);
