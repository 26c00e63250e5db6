// SPDX-License-Identifier: GPL-3.0-or-later
// The monkey: one seeded stream of random steps of the table of form cases
// goes to the real window and to Form1 on the null engine, the oracle; after
// each, every control's text and visibility, the focus, the errors and
// whether the form is there must be the same, and every sixteenth the
// grabbed window must paint what is visible. Where the two may rightly
// differ:
// - a text box's text once the player has edited it (caret, selection,
//   editing keys and the clipboard are the toolkit's); it is compared again
//   once a display command has set it;
// - an arrow key on a button, with which Qt moves the focus among the
//   buttons and the null engine, like a browser, does not: the monkey
//   presses arrows only where no button has the focus;
// - the close button and the size, the window's alone: a close starts both
//   afresh, a resize goes to the window only, and nothing may move.
// GALGEN_MONKEY_EVENTS sets the number of events (default 50000),
// GALGEN_MONKEY_SEED the seed that a difference names, to replay it.
#include <QApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <deque>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <random>
#include <set>

#include "controls.h"
#include "game_window.h"
#include "layout.h"
#include "null_engine.h"
#include "pictures.h"
#include "random.h"
#include "screen_probe.h"
#include "table_actions.h"
#include "window_actions.h"

using namespace galgen;
using namespace galgen::testing;

namespace {

int envInt(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// One run of the program in the window and on the null engine, each with
// the same generator, seed and clock, so that both draw the same words.
struct Twins {
    explicit Twins(std::uint64_t seed)
        : windowRandom(seed, [this] { return ++windowClock; }), nullRandom(seed, [this] { return ++nullClock; })
    {
    }
    std::uint64_t windowClock = 0;
    std::uint64_t nullClock = 0;
    ClockRandom windowRandom;
    ClockRandom nullRandom;
    GameWindow window{windowRandom};
    NullEngine null{form1Layout()};
    Form1 form1{null.core(), nullRandom};
    QStringList windowErrors;
};

// A step of the table, or one of the window's own: {"resize": [w, h]} or
// {"close": true}, the window system's close button.
using nlohmann::json;

// The keys without a character of their own that the monkey presses.
const char* const namedKeys[] = {
    "Backspace", "Enter", "NumpadEnter", "Escape", "Tab", "Delete", "ArrowLeft", "ArrowRight", "ArrowUp",
    "ArrowDown", "Home", "End", "PageUp", "PageDown", "Insert", "Shift", "Control", "Alt", "CapsLock",
    "F1", "F2", "F3", "F4", "F5", "F12",
};

// Characters beyond printable ASCII and Latin-1: cp1252's own letters and
// signs, and characters cp1252 lacks (one of them outside the 16-bit plane).
const char32_t moreCharacters[] = {
    U'€', U'‚', U'ƒ', U'„', U'…', U'†', U'‡', U'ˆ', U'‰', U'Š', U'‹', U'Œ', U'Ž', U'‘', U'’', U'“',
    U'”', U'•', U'–', U'—', U'˜', U'™', U'š', U'›', U'œ', U'ž', U'Ÿ', U'Ł', U'Ω', U'Ж', U'\u017f', U'\u212a',
    U'中', U'\U0001F600',
};

// The word lists dropped now and then: one the game takes, one it refuses.
const char* const lists[] = {"examples/tiere.txt", "tests/cases/fehlerhaft.txt"};

}  // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { twins_.reset(); }
    void theWindowShowsWhatTheGameOnTheNullEngineShows();

private:
    void startAfresh();
    json nextEvent();
    QString randomCharacter();
    void play(const json& event);
    QString differences();
    QString screenDifferences();

    std::mt19937_64 monkey_;
    std::uint64_t seed_ = 0;
    std::unique_ptr<Twins> twins_;
    // The text boxes whose text the player has edited since a display
    // command last set it.
    std::set<std::string_view> edited_;
    std::map<QString, QImage> pictures_;
    std::map<QString, long> seen_;
};

void MonkeyTest::initTestCase()
{
    seed_ = std::uint64_t(envInt("GALGEN_MONKEY_SEED", 20240517));
    monkey_.seed(seed_);
    for (const PartPicture& p : partPictures)
        pictures_[fromUtf8(p.picture)] = renderPicture(p.picture);
}

// A fresh run of the program, in a new window and on a new null engine.
void MonkeyTest::startAfresh()
{
    twins_.reset();
    edited_.clear();
    twins_ = std::make_unique<Twins>(monkey_());
    Twins& t = *twins_;
    t.window.form().engine().setErrorReporter([&t](const RuntimeError& e) { t.windowErrors << QString::fromUtf8(e.what()); });
    t.window.start();
    QVERIFY(QTest::qWaitForWindowActive(&t.window.form()));
    t.null.load();
}

// Many of the word's own letters, in either case, so that rounds are won as
// well as lost; else ASCII, Latin-1 and beyond.
QString MonkeyTest::randomCharacter()
{
    std::uniform_int_distribution<int> percent(0, 99);
    const int roll = percent(monkey_);
    const std::optional<Text>& word = twins_->form1.state().currentWord;
    char32_t ch;
    if (roll < 60 && word && !word->empty()) {
        const int k = std::uniform_int_distribution<int>(1, word->length())(monkey_);
        const QChar letter(char16_t(cp1252ToUnicode(static_cast<unsigned char>(word->charAt(k).bytes()[0]))));
        ch = (percent(monkey_) < 50 ? letter.toLower() : letter.toUpper()).unicode();
    } else if (roll < 82) {
        ch = char32_t(std::uniform_int_distribution<int>(0x20, 0x7e)(monkey_));
    } else if (roll < 95) {
        ch = char32_t(std::uniform_int_distribution<int>(0xa0, 0xff)(monkey_));
    } else {
        ch = moreCharacters[std::uniform_int_distribution<std::size_t>(0, std::size(moreCharacters) - 1)(monkey_)];
    }
    return QString::fromUcs4(&ch, 1);
}

// Mostly keys; clicks on "?" and "Neues Spiel" enough to use up the list;
// clicks anywhere; now and then a list or a resize; "Ende" rarely.
json MonkeyTest::nextEvent()
{
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> permille(0, 999);
    form::FormCore& core = twins_->null.core();
    const QSize size = twins_->window.form().size();
    // A point of the control's rectangle, or of the window where the window
    // is cut smaller than that.
    auto pointIn = [&](QRect r) {
        r &= QRect(QPoint(0, 0), size);
        if (r.isEmpty())
            r = QRect(QPoint(0, 0), size);
        return QPoint(std::uniform_int_distribution<int>(r.left(), r.right())(monkey_),
                      std::uniform_int_distribution<int>(r.top(), r.bottom())(monkey_));
    };
    auto placeOf = [&](std::string_view name) {
        const form::PixelRect p = core.place(core.find(name));
        return QRect(p.left, p.top, p.width, p.height);
    };
    const NullEngine& null = twins_->null;
    const bool onEnde = null.focus() == control::ende;
    const bool onButton = null.focused() >= 0 && core.row(null.focused()).kind == form::Kind::CommandButton;
    const int roll = std::uniform_int_distribution<int>(0, 9999)(monkey_);
    if (roll < 5600) {
        for (;;) {
            json e = {{"key", ""}};
            const int kind = percent(monkey_);
            if (kind < 70) {
                const QString character = randomCharacter();
                e["key"] = character.toStdString();
                // Letters also come with Control, Alt or Meta held.
                if (character.size() == 1 && character[0].unicode() < 0x80 && character[0].isLetter()) {
                    const int mods = percent(monkey_);
                    if (mods < 7)
                        e["modifiers"] = {mods < 4 ? "Control" : mods < 6 ? "Alt" : "Meta"};
                }
            } else {
                e["key"] = namedKeys[std::uniform_int_distribution<std::size_t>(0, std::size(namedKeys) - 1)(monkey_)];
                if (e["key"] == "Tab" && percent(monkey_) < 50)
                    e["modifiers"] = {"Shift"};
            }
            const std::string key = e["key"];
            if (onButton && key.starts_with("Arrow"))
                continue;
            const bool pressesEnde = onEnde && !e.contains("modifiers") && (key == " " || key.ends_with("Enter"));
            if (!pressesEnde || permille(monkey_) < 20)
                return e;
        }
    }
    if (roll < 5700) {
        const QString first = randomCharacter();
        return {{"compose", json::array()}, {"commit", (first + randomCharacter()).toStdString()}};
    }
    if (roll < 5730)
        return {{"dead", "^"}, {"commit", randomCharacter().toStdString()}};
    if (roll < 5750)
        return {{"list", lists[std::size_t(percent(monkey_) % 2)]}};
    const auto clickIn = [&](QRect r) {
        const QPoint at = pointIn(r);
        return json{{"clickAt", {at.x(), at.y()}}};
    };
    if (roll < 6700)
        return clickIn(placeOf(control::textin));
    if (roll < 7400)
        return clickIn(placeOf(control::spielneu));
    if (roll < 7401)
        return clickIn(placeOf(control::ende));
    if (roll < 7402)
        return {{"close", true}};
    if (roll < 9700) {
        for (;;) {
            const QPoint at = pointIn(QRect(QPoint(0, 0), size));
            if (core.controlAt(at.x(), at.y()) != core.find(control::ende) || permille(monkey_) < 20)
                return {{"clickAt", {at.x(), at.y()}}};
        }
    }
    if (roll < 9850)
        return {{"resize", {483, 449}}};
    return {{"resize",
             {std::uniform_int_distribution<int>(120, 1000)(monkey_), std::uniform_int_distribution<int>(100, 800)(monkey_)}}};
}

// The event, to the window and to the null engine, each with its own hands.
void MonkeyTest::play(const json& e)
{
    form::Form& form = twins_->window.form();
    if (e.contains("resize")) {
        form.resize(e["resize"][0], e["resize"][1]);
        QCoreApplication::processEvents();
    } else if (e.contains("close")) {
        form.windowHandle()->close();
    } else {
        const QJsonObject step = QJsonDocument::fromJson(QByteArray::fromStdString(e.dump())).object();
        QVERIFY(playAction(form, step, QStringLiteral(GALGEN_SOURCE_DIR)));
        if (e.contains("list"))
            dropProjectFile(twins_->null, GALGEN_SOURCE_DIR, e["list"]);
        else
            QVERIFY(playAction(twins_->null, e));
    }
}

// What the window shows and the null engine does not, or the other way
// round; empty if nothing.
QString MonkeyTest::differences()
{
    Twins& t = *twins_;
    form::Form& form = t.window.form();
    QStringList out;
    auto differ = [&](const QString& what, const QString& window, const QString& game) {
        if (window != game)
            out << QStringLiteral("%1: window \"%2\", null engine \"%3\"").arg(what, window, game);
    };
    auto yesNo = [](bool b) { return b ? QStringLiteral("yes") : QStringLiteral("no"); };
    QStringList nullErrors;
    for (const std::string& error : t.null.errors)
        nullErrors << QString::fromStdString(error);
    differ(QStringLiteral("errors"), t.windowErrors.join('\n'), nullErrors.join('\n'));
    t.windowErrors.clear();
    t.null.errors.clear();
    differ(QStringLiteral("ended"), yesNo(!form.isVisible()), yesNo(t.null.unloaded));
    if (!form.isVisible() || t.null.unloaded)
        return out.join(QStringLiteral("; "));

    for (const form::ControlRow& row : form1Layout().controls) {
        const QString name = fromUtf8(row.name);
        QWidget* widget = form.control(row.name);
        differ(name + QStringLiteral(" shown"), yesNo(widget->isVisibleTo(&form)), yesNo(t.null.shown(row.name)));
        const bool hasText = row.kind == form::Kind::Label || row.kind == form::Kind::TextBox
                             || row.kind == form::Kind::CommandButton;
        if (hasText && !edited_.contains(row.name))
            differ(name + QStringLiteral(" text"), textOf(widget), QString::fromStdString(t.null.text(row.name)));
        const form::PixelRect place = form::pixelRect(row);
        if (widget->geometry() != QRect(place.left, place.top, place.width, place.height))
            out << name + QStringLiteral(" moved");
    }
    QWidget* focus = QApplication::focusWidget();
    differ(QStringLiteral("focus"), focus ? focus->objectName() : QString(), QString::fromStdString(t.null.focus()));
    return out.join(QStringLiteral("; "));
}

// The grabbed window against what the null engine shows: the word box, the
// painted parts by a pixel, the labels by their colour, and the pictures
// pixel by pixel where no shown picture lies over them.
QString MonkeyTest::screenDifferences()
{
    const QImage screen = grabWindow(twins_->window.form());
    const NullEngine& null = twins_->null;
    auto shown = [&](int part) { return null.shown(control::gallows[std::size_t(part - 1)]); };
    QStringList out;
    const bool wordBox = null.shown(control::Fragewort);
    if ((colourAt(screen, {14, 85}) == darkBlue) != wordBox)
        out << QStringLiteral("the word box paints wrongly");
    if (wordBox && countColour(screen, questionMarkBox, red) > 0)
        out << QStringLiteral("the \"?\" shows through the word box");
    for (const PartPixel& p : partPixels)
        if ((colourAt(screen, p.at) == p.colour) != shown(p.part))
            out << QStringLiteral("teil%1 paints wrongly").arg(p.part);
    for (const PartText& p : partTexts)
        if (textShown(screen, p) != shown(p.part))
            out << QStringLiteral("teil%1 paints wrongly").arg(p.part);
    for (std::size_t i = 0; i < std::size(partPictures); ++i) {
        const PartPicture& p = partPictures[i];
        bool covered = false;
        for (std::size_t above = 0; above < i; ++above)
            covered |= shown(partPictures[above].part) && partPictures[above].box.intersects(p.box);
        if (covered)
            continue;
        QImage expected(p.box.size(), QImage::Format_RGB32);
        expected.fill(Qt::white);
        QPainter(&expected).drawImage(0, 0, pictures_.at(fromUtf8(p.picture)));
        if ((screen.copy(p.box) == expected) != shown(p.part))
            out << QStringLiteral("teil%1 paints wrongly").arg(p.part);
    }
    return out.join(QStringLiteral("; "));
}

void MonkeyTest::theWindowShowsWhatTheGameOnTheNullEngineShows()
{
    const long events = envInt("GALGEN_MONKEY_EVENTS", 50000);
    QElapsedTimer clock;
    clock.start();
    // Qt's own warnings count as failures too.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    std::deque<QString> recent;
    auto fail = [&](long event, const QString& what) {
        qInfo("the events before the difference, the last one last:");
        for (const QString& line : recent)
            qInfo("  %s", qPrintable(line));
        return QStringLiteral("seed %1, event %2: %3").arg(seed_).arg(event).arg(what);
    };

    startAfresh();
    if (const QString diff = differences(); !diff.isEmpty())
        QFAIL(qPrintable(fail(0, diff)));
    for (long n = 1; n <= events; ++n) {
        const json e = nextEvent();
        recent.push_back(QString::fromStdString(e.dump()) + QStringLiteral(" (focus on %1)").arg(fromUtf8(twins_->null.focus())));
        if (recent.size() > 40)
            recent.pop_front();
        ++seen_[QString::fromStdString(e.begin().key())];

        NullEngine& null = twins_->null;
        const int focusBefore = null.focused();
        const int stageBefore = twins_->form1.state().stage;
        null.log.clear();
        play(e);
        if (QTest::currentTestFailed())
            return;
        if (e.contains("close")) {
            if (twins_->window.form().isVisible())
                QFAIL(qPrintable(fail(n, QStringLiteral("the window stayed"))));
            startAfresh();
            continue;
        }

        // A display command sets a box's text; the player's keys edit it.
        for (const DisplayCommand& command : null.log)
            if (command.property == Property::Text)
                edited_.erase(command.control);
        const bool edits = e.contains("key") || e.contains("commit");
        if (edits && focusBefore >= 0 && null.core().row(focusBefore).kind == form::Kind::TextBox) {
            const std::string_view box = null.core().row(focusBefore).name;
            const bool setByCommand = std::any_of(null.log.begin(), null.log.end(), [&](const DisplayCommand& c) {
                return c.control == box && c.property == Property::Text;
            });
            if (!setByCommand)
                edited_.insert(box);
        }

        if (const QString diff = differences(); !diff.isEmpty())
            QFAIL(qPrintable(fail(n, diff)));
        const int stage = twins_->form1.state().stage;
        seen_[QStringLiteral("won")] += stage == stageWon && stageBefore != stageWon;
        seen_[QStringLiteral("lost")] += stage == missesToLose && stageBefore != missesToLose;
        if (null.unloaded) {
            ++seen_[QStringLiteral("ended")];
            startAfresh();
            if (const QString diff = differences(); !diff.isEmpty())
                QFAIL(qPrintable(fail(n, QStringLiteral("after a fresh start: ") + diff)));
            continue;
        }
        const QSize size = twins_->window.form().size();
        if (n % 16 == 0 && size.width() >= 483 && size.height() >= 449) {
            if (const QString screen = screenDifferences(); !screen.isEmpty())
                QFAIL(qPrintable(fail(n, screen)));
            ++seen_[QStringLiteral("screens")];
        }
    }

    QStringList summary;
    for (const auto& [what, count] : seen_)
        summary << QStringLiteral("%1 %2").arg(count).arg(what);
    qInfo("%ld events in %.1f s (seed %llu): %s", events, double(clock.elapsed()) / 1000.0,
          static_cast<unsigned long long>(seed_), qPrintable(summary.join(QStringLiteral(", "))));
}

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
