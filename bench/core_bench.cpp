// SPDX-License-Identifier: GPL-3.0-or-later
// Micro-benchmarks of the rules against a display that does nothing: one key
// (hit, miss, the winning key) and the round start, with no word used and
// with 149 used, the worst case of about 150 rejected draws.
#include <benchmark/benchmark.h>

#include "game.h"
#include "scripted_random.h"

namespace galgen::testing {
namespace {

// Takes every command and carries out none: only the rules are timed.
struct NullDisplay final : Display {
    void apply(const DisplayCommand&) override {}
};

constexpr int rowElefant = 3;

// A fresh round of "Elefant" with "E-e----" revealed, rebuilt outside the
// timed region.
struct ElefantRound {
    NullDisplay display;
    ScriptedRandom random;
    Game game{display, random};

    ElefantRound()
    {
        game.loadWords();
        random.pushRow(rowElefant);
        game.startRound();
        const i16 e = 'e';
        game.evaluateGuess(e);
    }
};

void BM_KeyHit(benchmark::State& st)
{
    ElefantRound round;
    const i16 key = 'E';   // already revealed: a hit that changes nothing
    for (auto _ : st)
        round.game.evaluateGuess(key);
}
BENCHMARK(BM_KeyHit);

void BM_KeyMiss(benchmark::State& st)
{
    ElefantRound round;
    const i16 key = 'x';
    for (auto _ : st) {
        round.game.state.stage = 0;   // stay clear of the loss
        round.game.evaluateGuess(key);
    }
}
BENCHMARK(BM_KeyMiss);

void BM_KeyWinning(benchmark::State& st)
{
    ElefantRound round;
    round.game.evaluateGuess(static_cast<i16>('l'));
    round.game.evaluateGuess(static_cast<i16>('f'));
    round.game.evaluateGuess(static_cast<i16>('a'));
    round.game.evaluateGuess(static_cast<i16>('n'));
    const GameState before = round.game.state;
    const i16 key = 't';
    for (auto _ : st) {
        st.PauseTiming();
        round.game.state = before;
        st.ResumeTiming();
        round.game.evaluateGuess(key);
    }
}
BENCHMARK(BM_KeyWinning);

void startRoundWithUsed(benchmark::State& st, int used)
{
    NullDisplay display;
    ClockRandom random;
    Game game(display, random);
    game.loadWords();
    for (auto _ : st) {
        st.PauseTiming();
        for (int row = 1; row <= 150; ++row)
            game.state.wordTable.at(row, 1) = row <= used ? drawn : notDrawn;
        st.ResumeTiming();
        game.startRound();
    }
}

void BM_StartRoundNoneUsed(benchmark::State& st) { startRoundWithUsed(st, 0); }
void BM_StartRound149Used(benchmark::State& st) { startRoundWithUsed(st, 149); }
BENCHMARK(BM_StartRoundNoneUsed);
BENCHMARK(BM_StartRound149Used);

}  // namespace
}  // namespace galgen::testing
