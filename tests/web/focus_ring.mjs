// SPDX-License-Identifier: GPL-3.0-or-later
// The focus ring stays inside the focused control's own rectangle, as on the
// desktop, in every browser: the pixels around the control are the same
// with and without the focus, and on a control that nothing covers the ring
// shows inside it.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';
import { openGame, row } from './browser.mjs';

// The width of the band around the control that the ring must leave alone;
// the browsers' own rings reach up to 3 pixels out.
const band = 4;
const form = { width: 483, height: 449 };

const scenes = [
  { name: '"Ende", focused from the start', control: 'ende', covered: false, reach: async () => {} },
  {
    name: '"Neues Spiel", reached with Tab',
    control: 'spielneu',
    covered: false,
    reach: async (game) => {
      await game.press('Tab');
      await game.press('Tab');
    },
  },
  {
    name: 'the "?" box in a round, under the word box',
    control: 'textin',
    covered: true,
    reach: (game) => game.startRound(row.elefant),
  },
];

// The pixels of a rectangle of the form, and of the band around it.
function pixels(screen, r) {
  const inside = [];
  const around = [];
  for (let y = Math.max(0, r.y - band); y < Math.min(form.height, r.y + r.height + band); ++y)
    for (let x = Math.max(0, r.x - band); x < Math.min(form.width, r.x + r.width + band); ++x) {
      const within = x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
      (within ? inside : around).push(`${x},${y}: ${screen.pixel(x, y).join(' ')}`);
    }
  return { inside, around };
}

// In the page: waits until what was changed has been painted, two frames
// on; a browser under load paints the word box's text a frame after the box.
function painted() {
  return new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(() => done())));
}

export function focusRingTests(session) {
  describe('the focus ring', () => {
    for (const { name, control, covered, reach } of scenes) {
      test(name, async () => {
        const game = await openGame(session());
        try {
          await reach(game);
          assert.equal((await game.state()).focus, control);
          const place = await game.placeOf(control);
          await game.evaluate(painted);
          const focused = pixels(await game.screen(), place);
          await game.evaluate(() => document.activeElement.blur());
          await game.evaluate(painted);
          assert.notEqual((await game.state()).focus, control);
          const unfocused = pixels(await game.screen(), place);
          const changed = focused.around.filter((p, i) => p !== unfocused.around[i]);
          assert.deepEqual(changed, [], 'the pixels around the control, with the focus');
          if (!covered)
            assert.notDeepEqual(focused.inside, unfocused.inside, 'the ring shows inside the control');
        } finally {
          await game.close();
        }
      });
    }
  });
}
