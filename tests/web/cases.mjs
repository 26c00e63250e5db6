// SPDX-License-Identifier: GPL-3.0-or-later
// The table of form cases (tests/cases/form_cases.json), the event
// sequences that every form engine's driver plays, run here in one browser
// engine: each case on a freshly loaded test site, each step through the
// driver in browser.mjs, each expectation read from the page.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { after, before, describe, test } from 'node:test';
import { openBrowser, openGame } from './browser.mjs';

export const table = JSON.parse(readFileSync(process.env.GALGEN_CASES || new URL('../cases/form_cases.json', import.meta.url), 'utf8'));

// Starts the browser for the tests of this file and closes it after them;
// the function returned gives the running session.
export function browserSession(engine) {
  let session;
  before(async () => { session = await openBrowser({ engine }); });
  after(() => session?.close());
  return () => session;
}

// The steps with every repeat written out; inside a repeat, a draw of "#"
// draws the row of the iteration's number, counted from 1.
export function unroll(steps) {
  return steps.flatMap((step) => {
    if (!('repeat' in step)) return [step];
    return Array.from({ length: step.repeat }, (_, i) => unroll(step.steps)
      .map((inner) => (inner.draw === '#' ? { ...inner, draw: i + 1 } : inner)));
  }).flat();
}

const expectations = ['codes', 'focus', 'shown', 'texts', 'spoken', 'error', 'ended'];

async function check(game, expected) {
  for (const what of Object.keys(expected))
    if (!expectations.includes(what)) throw new Error(`unknown expectation "${what}"`);
  const error = await game.error();
  if ('error' in expected) {
    assert.ok(error?.startsWith(expected.error), `the error shown: ${error}`);
  } else {
    assert.equal(error, null, 'no run-time error shows');
  }
  if ('codes' in expected) assert.deepEqual(await game.keyLog(), expected.codes, 'the key codes');
  if ('ended' in expected) assert.equal(await game.ended(), expected.ended, 'the game has ended');
  const texts = Object.keys(expected.texts ?? {});
  if (['focus', 'shown', 'spoken'].some((what) => what in expected) || texts.length) {
    const state = await game.state(table.watch, texts);
    if ('focus' in expected) assert.equal(state.focus, expected.focus, 'the focus');
    if ('shown' in expected) assert.deepEqual(state.shown, expected.shown, 'the controls shown');
    if (texts.length) assert.deepEqual(state.texts, expected.texts, 'the texts');
    if ('spoken' in expected) assert.equal(state.spoken, expected.spoken, 'the spoken status');
  }
  if ('error' in expected) {
    await game.dismissError();
    assert.equal(await game.error(), null, 'OK closes the error message');
  }
}

// Acts on the start screen while the engine is held back: the block's
// steps are actions only; after them the engine starts and gets them.
async function early(game, steps) {
  const kinds = Object.keys(actions).filter((name) => !['draw', 'random', 'expect', 'early'].includes(name));
  const wrong = steps.filter((step) => !kinds.some((name) => name in step));
  if (wrong.length) throw new Error(`not an action before the engine is ready: ${JSON.stringify(wrong[0])}`);
  assert.ok(await game.held(), 'the engine is not ready yet');
  await play(game, steps, { last: false, held: true });
  await game.release();
  if (steps.some((step) => 'list' in step)) await game.taken();
}

const actions = {
  early: (game, step) => early(game, step.early),
  draw: (game, step) => game.pushRows(step.draw),
  random: (game, step) => game.push(step.random),
  click: (game, step) => game.click(step.click),
  clickAt: (game, step) => game.clickAt(step.clickAt),
  activate: (game, step) => game.activate(step.activate),
  type: (game, step) => game.type(step.type),
  key: (game, step) => game.press(step.key, step.modifiers ?? []),
  input: (game, step) => game.input(step.input),
  compose: (game, step) => game.compose(step.compose, step.commit),
  dead: (game, step) => game.dead(step.dead, step.commit),
  list: (game, step, held) => game.dropFile(step.list, { held }),
  expect: (game, step) => check(game, step.expect),
};

// Plays a case's steps; a failure names the step. The last steps of a case
// end with no error shown and none uncaught.
export async function play(game, steps, { last = true, held = false } = {}) {
  for (const [i, step] of unroll(steps).entries()) {
    const action = Object.keys(actions).filter((name) => name in step);
    if (action.length !== 1) throw new Error(`step ${i + 1} has no single action: ${JSON.stringify(step)}`);
    try {
      await actions[action[0]](game, step, held);
    } catch (error) {
      error.message = `step ${i + 1} ${JSON.stringify(step)}: ${error.message}`;
      throw error;
    }
  }
  if (!last) return;
  assert.equal(await game.error(), null, 'no run-time error shows at the end');
  assert.deepEqual(await game.pageErrors(), [], 'the page has no uncaught errors');
}

// Whether a case acts before the engine is ready: then its game is opened
// held, and only draws may come before its early block.
function held(steps) {
  const at = steps.findIndex((step) => 'early' in step);
  if (at < 0) return false;
  if (steps.slice(0, at).some((step) => !('draw' in step || 'random' in step)) || steps.slice(at + 1).some((step) => 'early' in step))
    throw new Error('an early block comes first, after draws only, and once');
  return true;
}

// Every case of the table, each on a freshly loaded game.
export function runTable(session) {
  describe('the form cases', () => {
    for (const { name, steps } of table.cases) {
      test(name, async (t) => {
        const cannot = session().skips?.(unroll(steps).flatMap((step) => step.early ?? [step]));
        if (cannot) {
          t.skip(cannot);
          return;
        }
        const game = await openGame(session(), { held: held(steps) });
        try {
          await play(game, steps);
        } finally {
          await game.close();
        }
      });
    }
  });
}
