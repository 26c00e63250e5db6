// SPDX-License-Identifier: GPL-3.0-or-later
// What firefox (WebDriver BiDi) and WebKitGTK (classic WebDriver) share:
// WebDriver's values of the named keys, and the text input that WebDriver
// has no call for, made in the page from the DOM events the browser itself
// would send.

// WebDriver's key values of the DOM key names the tests use; a single
// character is its own value. "Enter" is the main keyboard's Return key,
// "NumpadEnter" the keypad's Enter.
const named = {
  Backspace: '\uE003', Tab: '\uE004', Enter: '\uE006', NumpadEnter: '\uE007', Shift: '\uE008',
  Control: '\uE009', Alt: '\uE00A', Escape: '\uE00C', PageUp: '\uE00E', PageDown: '\uE00F',
  End: '\uE010', Home: '\uE011', ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014',
  ArrowDown: '\uE015', Insert: '\uE016', Delete: '\uE017', F1: '\uE031', F2: '\uE032', F3: '\uE033', F10: '\uE03A',
  Meta: '\uE03D',
};

export function webDriverKey(key) {
  if ([...key].length === 1) return key;
  if (!(key in named)) throw new Error(`no WebDriver value for the key "${key}"`);
  return named[key];
}

// Text inserted with no key event into the focused box, as a tool does it:
// the browser reports it with an input event (and a beforeinput, if it
// sends one for an editing command).
function insertTextInPage(text) {
  document.execCommand('insertText', false, text);
}

// An input method's composition in the focused box, made of the events the
// browser would send, since WebDriver has no input method: for each text
// of the composition a beforeinput "insertCompositionText", a
// compositionupdate and an input event, with the box's text changed in
// between, and a compositionend with the committed text. A dead key opens
// the composition with its keydown and shows its accent; the next key's
// keydown arrives while it composes, and commits.
function composeInPage(texts, commit, deadKey) {
  const box = document.activeElement;
  const start = box.selectionStart;
  const before = box.value.slice(0, start);
  const after = box.value.slice(box.selectionEnd);
  const send = (type, init) => {
    const Event = type.startsWith('key') ? KeyboardEvent : type.startsWith('composition') ? CompositionEvent : InputEvent;
    box.dispatchEvent(new Event(type, { bubbles: true, cancelable: type !== 'input', composed: true, ...init }));
  };
  let shown = '';
  const update = (text) => {
    send('beforeinput', { inputType: 'insertCompositionText', data: text, isComposing: true });
    send('compositionupdate', { data: text });
    box.value = before + text + after;
    box.setSelectionRange(start + text.length, start + text.length);
    send('input', { inputType: 'insertCompositionText', data: text, isComposing: true });
    shown = text;
  };
  if (deadKey) send('keydown', { key: 'Dead' });
  send('compositionstart', { data: '' });
  texts.forEach(update);
  if (deadKey) {
    send('keyup', { key: 'Dead' });
    send('keydown', { key: 'Process', keyCode: 229, isComposing: true });
  }
  if (commit !== shown) update(commit);
  send('compositionend', { data: commit });
  if (deadKey) send('keyup', { key: 'Process', keyCode: 229 });
}

// Those three as methods of an engine's page, which evaluates in the page.
export const textInputInPage = {
  insertText(text) {
    return this.evaluate(insertTextInPage, text);
  },
  compose(texts, commit) {
    return this.evaluate(composeInPage, texts, commit, false);
  },
  dead(accent, commit) {
    return this.evaluate(composeInPage, [accent], commit, true);
  },
};
