// SPDX-License-Identifier: GPL-3.0-or-later
// The page for players with their own needs, in headless chromium:
// axe-core's rules on the start screen, in a round, after a loss and after
// "Ende", under the game's own colours and where the player's system asks
// for more contrast; under more contrast every visible text at 7:1 against
// its ground, computed here; and a round under the system's forced colours,
// with the word box and the gallows visible.
//
// axe-core's source goes into the page through the DevTools protocol
// (Runtime.evaluate), which the page's Content-Security-Policy does not
// govern, so the page keeps its policy while axe looks at it.
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { after, before, describe, test } from 'node:test';
import { drawnParts, onPanel, openBrowser, openGame, row } from './browser.mjs';

const axe = createRequire(import.meta.url)('axe-core');

let session;
before(async () => { session = await openBrowser(); });
after(() => session.close());

// The game's own colours, which stay the default: red on light yellow.
const gameColours = { foreground: '#ff0000', background: '#ffff80' };

const states = [
  { name: 'the start screen', reach: async () => {} },
  {
    name: 'a round',
    reach: async (game) => {
      await game.pushRows(row.hut);
      await game.press('F2');
      await game.type('ux');
    },
  },
  {
    name: 'a lost round',
    reach: async (game) => {
      await game.pushRows(row.hut);
      await game.press('F2');
      await game.type('xxxxxxxx');
    },
  },
  { name: 'the ended game', reach: (game) => game.click('ende') },
];

const colourSettings = [
  { name: 'the default colours', contrast: 'no-preference' },
  { name: 'more contrast', contrast: 'more' },
];

// The game in that state, with the player's contrast setting.
async function gameIn(state, contrast) {
  const game = await openGame(session);
  await game.browser.emulateMedia([{ name: 'prefers-contrast', value: contrast }]);
  await state.reach(game);
  return game;
}

// In the page: axe's violations, each with its rule, its elements and, for
// colour contrast, the colours it measured.
async function axeViolations() {
  const results = await window.axe.run(document, { resultTypes: ['violations'] });
  return results.violations.map((v) => ({
    id: v.id,
    nodes: v.nodes.map((n) => ({
      target: n.target.join(' '),
      colours: n.any.find((check) => check.id === 'color-contrast')?.data ?? null,
    })),
  }));
}

describe('axe-core', () => {
  for (const state of states) {
    for (const setting of colourSettings) {
      test(`${state.name} under ${setting.name}`, async (t) => {
        const game = await gameIn(state, setting.contrast);
        await game.page.evaluate(axe.source);
        const violations = await game.evaluate(axeViolations);
        t.diagnostic(`axe ${axe.version}: ${violations.map((v) => `${v.id} ${v.nodes.length}`).join(', ') || 'no violations'}`);
        const allowed = setting.contrast === 'more' ? [] : ['color-contrast'];
        assert.deepEqual(violations.filter((v) => !allowed.includes(v.id)), []);
        // What the default colours may fail on is the game's red on light
        // yellow, nothing else.
        for (const node of violations.find((v) => v.id === 'color-contrast')?.nodes ?? []) {
          assert.deepEqual({ foreground: node.colours?.fgColor, background: node.colours?.bgColor }, gameColours,
            node.target);
        }
        await game.close();
      });
    }
  }
});

// In the page: each visible text with its contrast against its ground, by
// WCAG's formula. The ground is the first opaque background of the element
// or an ancestor; where that is a gradient, the stop that contrasts least.
function textContrasts() {
  const rgba = (css) => css.match(/[\d.]+/g).map(Number);
  const luminance = ([r, g, b]) => {
    const linear = (v) => (v / 255 <= 0.04045 ? v / 255 / 12.92 : ((v / 255 + 0.055) / 1.055) ** 2.4);
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
  };
  const contrast = (a, b) => {
    const [light, dark] = [luminance(a), luminance(b)].sort((x, y) => y - x);
    return (light + 0.05) / (dark + 0.05);
  };
  const grounds = (element) => {
    for (let e = element; e; e = e.parentElement) {
      const style = getComputedStyle(e);
      const stops = style.backgroundImage.match(/rgba?\([^)]*\)/g);
      if (stops) return stops.map(rgba);
      const colour = rgba(style.backgroundColor);
      if (colour.length === 3 || colour[3] === 1) return [colour];
    }
    return [[255, 255, 255]];   // the canvas
  };
  const textOf = (e) => (e.tagName === 'INPUT' ? e.value
    : [...e.childNodes].filter((n) => n.nodeType === Node.TEXT_NODE).map((n) => n.textContent).join('').trim());
  return [...document.body.querySelectorAll('*')]
    .filter((e) => textOf(e) && e.checkVisibility({ opacityProperty: true, visibilityProperty: true }))
    .map((e) => {
      const colour = rgba(getComputedStyle(e).color);
      return {
        text: `${e.dataset.name ?? e.tagName.toLowerCase()} "${textOf(e)}"`,
        ratio: Math.min(...grounds(e).map((ground) => contrast(colour, ground))),
      };
    });
}

describe('more contrast', () => {
  for (const state of states) {
    test(`every visible text at 7:1 at least: ${state.name}`, async () => {
      const game = await gameIn(state, 'more');
      const texts = await game.evaluate(textContrasts);
      assert.ok(texts.length > 0, 'texts to measure');
      const low = texts.filter((t) => t.ratio < 7).map((t) => `${t.text} ${t.ratio.toFixed(2)}:1`);
      assert.deepEqual(low, []);
      await game.close();
    });
  }

  test('the measure finds the game\'s own colours at 3.78:1 where the player has not asked', async () => {
    const game = await gameIn(states[0], 'no-preference');
    const heading = (await game.evaluate(textContrasts)).find((t) => t.text.startsWith('Label1'));
    assert.equal(heading.ratio.toFixed(2), '3.78');
    await game.close();
  });
});

describe('forced colours', () => {
  test('a round can be played, and the word and the gallows show', async () => {
    const game = await openGame(session);
    await game.browser.emulateMedia([{ name: 'forced-colors', value: 'active' }]);
    const ground = onPanel(60, 200);   // where nothing is ever drawn
    const same = (a, b) => a.every((v, i) => v === b[i]);
    const before = await game.screen();
    for (const part of drawnParts)
      assert.ok(same(before.pixel(...part.at), before.pixel(...ground)), `${part.name} not yet drawn`);

    await game.pushRows(row.hut);
    await game.press('F2');
    await game.type('u');
    const round = await game.state(['Fragewort'], ['Fragewort']);
    assert.deepEqual(round.shown, ['Fragewort']);
    assert.equal(round.texts.Fragewort, '-u-');
    const box = await game.placeOf('Fragewort');
    const s = await game.screen();
    const boxGround = s.pixel(box.x + 4, box.y + 4);
    const inside = [box.x + 8, box.y + 4, box.width - 16, box.height - 8];
    const ink = inside[2] * inside[3] - s.count(...inside, boxGround);
    assert.ok(ink > 100, `the mask's ink in the word box: ${ink} pixels`);

    await game.type('xxxxxxx');
    const drawn = await game.screen();
    for (const part of drawnParts)
      assert.ok(!same(drawn.pixel(...part.at), drawn.pixel(...ground)), `${part.name} stands out from the panel`);
    await game.close();
  });
});
