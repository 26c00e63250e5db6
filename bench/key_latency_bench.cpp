// SPDX-License-Identifier: GPL-3.0-or-later
// Key latency: the time from a key pressed in textin to the word box and the
// gallows repainted, measured in process on the real window (the offscreen
// platform unless QT_QPA_PLATFORM says otherwise). The clock runs from the
// key press handed to the window to the end of the event loop's next turn,
// in which the changed controls are painted and the window flushed; each
// iteration checks that the control that had to change was painted. The
// target is well inside one frame at 60 Hz, 16.7 ms.
//
// Each iteration gets a round of its own, prepared without the clock: a
// scripted draw goes through the word list, and a new window is built when
// it is used up. The window has shown every picture once before it is
// timed; KeyLatency/MissFirstPicture times the first showing instead.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QTest>
#include <chrono>
#include <memory>

#include "controls.h"
#include "game_window.h"
#include "scripted_random.h"

using namespace galgen;

namespace {

constexpr int listSize = 150;
// Places on the window, in pixels.
constexpr QPoint questionMark{243, 83};
constexpr QPoint newGameButton{121, 117};

// Counts the paint events of one control.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget* watched) : watched_(watched) { watched->installEventFilter(this); }
    ~PaintCounter() override { watched_->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }

private:
    QWidget* watched_;
};

// The game in its window, one round after the other. A warm player keeps
// the window until the word list is used up, and has shown every picture in
// it before the first timed key; a cold one starts each round in a window
// of its own, which has drawn no picture yet.
class Player {
public:
    explicit Player(bool warm) : warm_(warm) {}

    // A new round; returns the secret word.
    QString newRound()
    {
        if (!warm_ || !window_ || row_ == listSize) {
            openWindow();
            if (warm_)
                showEveryPicture();
        }
        click(newGameButton);
        random_.pushRow(++row_);
        click(questionMark);
        return QString::fromStdString(state().currentWord->toUtf8());
    }

    void type(QChar ch)
    {
        key(QTest::Click, ch);
        QCoreApplication::processEvents();
    }

    // Presses the key and runs the event loop's next turn, on the clock;
    // false if the watched control was not painted.
    bool timedPress(QChar ch, std::string_view watched, benchmark::State& bench)
    {
        QCoreApplication::processEvents();
        PaintCounter painted(form().control(watched));
        const auto start = std::chrono::steady_clock::now();
        key(QTest::Press, ch);
        QCoreApplication::processEvents();
        const auto end = std::chrono::steady_clock::now();
        const bool repainted = painted.count > 0;
        bench.SetIterationTime(std::chrono::duration<double>(end - start).count());
        key(QTest::Release, ch);
        return repainted;
    }

    const GameState& state() const { return window_->form1().state(); }

private:
    form::Form& form() { return window_->form(); }

    void openWindow()
    {
        window_.reset();
        random_ = testing::ScriptedRandom();
        row_ = 0;
        window_ = std::make_unique<GameWindow>(random_);
        window_->start();
        (void)QTest::qWaitForWindowExposed(&form());
    }

    // A lost round and a won one, so that every picture has been drawn.
    void showEveryPicture()
    {
        const QString lost = newRound();
        for (int miss = 0; miss < 8; ++miss)
            type(missFor(lost));
        for (QChar ch : newRound())
            type(ch);
        form().repaint();
    }

    void click(QPoint at)
    {
        QTest::mouseClick(form().windowHandle(), Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
    }

    void key(QTest::KeyAction action, QChar ch)
    {
        const char16_t upper = ch.toUpper().unicode();
        QTest::sendKeyEvent(action, form().windowHandle(), upper < 0x100 ? Qt::Key(upper) : Qt::Key_unknown,
                            QString(ch), Qt::NoModifier);
    }

public:
    // A letter that the word lacks in either case.
    static QChar missFor(const QString& word)
    {
        for (QChar ch : QStringLiteral("qxjyvzwkpc"))
            if (!word.contains(ch, Qt::CaseInsensitive))
                return ch;
        return QLatin1Char('1');
    }

private:
    bool warm_;
    testing::ScriptedRandom random_;
    std::unique_ptr<GameWindow> window_;
    int row_ = 0;
};

// The distinct letters of the word, lower case, in order of appearance.
QString lettersOf(const QString& word)
{
    QString letters;
    for (QChar ch : word.toLower())
        if (!letters.contains(ch))
            letters += ch;
    return letters;
}

enum class Key { Hit, Miss, MissPicture, Loss, Win };

// One timed key per iteration, after the keys that lead up to it; the
// watched control is the one the timed key must repaint.
void keyLatency(benchmark::State& bench, Key kind, bool warm)
{
    Player player(warm);
    for (auto _ : bench) {
        const QString word = player.newRound();
        const QString letters = lettersOf(word);
        const QChar miss = Player::missFor(word);
        QChar timed;
        std::string_view watched;
        int stage = 0;
        switch (kind) {
        case Key::Hit:
            timed = letters[0];
            watched = control::Fragewort;
            break;
        case Key::Miss:
            timed = miss;
            watched = control::teil1;
            stage = 1;
            break;
        case Key::MissPicture:
            for (int n = 0; n < 3; ++n)
                player.type(miss);
            timed = miss;
            watched = control::teil4;
            stage = 4;
            break;
        case Key::Loss:
            for (int n = 0; n < 7; ++n)
                player.type(miss);
            timed = miss;
            watched = control::teil8;
            stage = 8;
            break;
        case Key::Win:
            for (qsizetype n = 0; n + 1 < letters.size(); ++n)
                player.type(letters[n]);
            timed = letters.back();
            watched = control::teil12;
            stage = 100;
            break;
        }
        if (!player.timedPress(timed, watched, bench)) {
            bench.SkipWithError("the key did not repaint its control");
            break;
        }
        if (player.state().stage != stage) {
            bench.SkipWithError("the key did not do what it should");
            break;
        }
    }
}

void registerAll()
{
    const struct {
        const char* name;
        Key key;
        bool warm;
    } variants[] = {
        {"KeyLatency/Hit", Key::Hit, true},
        {"KeyLatency/Miss", Key::Miss, true},
        {"KeyLatency/MissPicture", Key::MissPicture, true},
        {"KeyLatency/MissFirstPicture", Key::MissPicture, false},
        {"KeyLatency/Loss", Key::Loss, true},
        {"KeyLatency/Win", Key::Win, true},
    };
    for (const auto& v : variants)
        benchmark::RegisterBenchmark(v.name, keyLatency, v.key, v.warm)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
}

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    registerAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
