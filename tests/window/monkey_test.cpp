// SPDX-License-Identifier: GPL-3.0-or-later
// The monkey: the real window, on the offscreen platform, receives tens of
// thousands of seeded random events (clicks anywhere, every kind of key,
// input-method text, "Neues Spiel" and "?" at random moments, resizes), and
// after each one the test checks the game's invariants and that the screen
// shows what the state and the events so far imply.
//
// The test keeps its own model of the game and the screen. A click is
// predicted from the layout's rectangles and stacking, a key from the
// characters it types and the rules of a guess; the window must then show
// exactly the predicted state. The gallows is the one part of the screen that
// depends on history ("Neues Spiel" empties it while the round may go on
// behind the start screen), so the model carries it from event to event.
//
// "Ende", by a click or by a key on the focused button, and the window
// system's close button end the program now and then; the test checks that
// the unload was due and starts a fresh run of the program in a new window.
//
// GALGEN_MONKEY_EVENTS sets the number of events (default 50000) and
// GALGEN_MONKEY_SEED the seed (fixed by default, so that runs repeat). A
// failure names the seed, the event and the events that led to it.
#include <QApplication>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <bitset>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>

#include "controls.h"
#include "game_window.h"
#include "layout.h"
#include "pictures.h"
#include "random.h"
#include "screen_probe.h"

using namespace galgen;
using namespace galgen::testing;

namespace {

constexpr int listSize = 150;

int envInt(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

QString fromText(const Text& text) { return QString::fromStdString(text.toUtf8()); }

// Bit n - 1 stands for teil<n>.
using Gallows = std::bitset<12>;

Gallows partsOf(std::initializer_list<int> numbers)
{
    Gallows parts;
    for (int n : numbers)
        parts.set(std::size_t(n - 1));
    return parts;
}

// The gallows of a stage for a round that began on an empty gallows.
Gallows gallowsForStage(int stage)
{
    if (stage >= 0 && stage <= 7) {
        Gallows parts;
        for (int n = 1; n <= stage; ++n)
            parts.set(std::size_t(n - 1));
        return parts;
    }
    if (stage == 8)
        return partsOf({1, 2, 3, 5, 6, 7, 8, 9, 10});
    return partsOf({11, 12});
}

QString describe(const Gallows& parts)
{
    QStringList names;
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (parts.test(i))
            names << QStringLiteral("teil%1").arg(i + 1);
    return QLatin1Char('{') + names.join(QLatin1Char(',')) + QLatin1Char('}');
}

// Everything of the game that a player or the rules can tell apart: the
// state, and what the window shows.
struct Observation {
    int stage = 0;
    int revealedCount = 0;
    int wordLength = 0;
    int usedCount = 0;
    QString mask;
    std::optional<QString> word;
    std::set<QString> drawnWords;   // the rows flagged "1"
    bool wordBoxVisible = false;
    QString wordBoxText;
    QString label1 = startHeadline;
    QString label2 = startInstruction;
    QString textin = QStringLiteral("?");
    Gallows gallows;
};

// The differences between what the model predicts and what the window has;
// empty if none. The text of textin is compared only where the rules set it.
QString differences(const Observation& want, const Observation& got, bool withTextin)
{
    QStringList out;
    auto field = [&](const char* name, const auto& w, const auto& g, auto show) {
        if (!(w == g))
            out << QStringLiteral("%1: want %2, got %3").arg(QLatin1String(name), show(w), show(g));
    };
    auto number = [](int v) { return QString::number(v); };
    auto quoted = [](const QString& s) { return QLatin1Char('"') + s + QLatin1Char('"'); };
    auto optional = [](const std::optional<QString>& s) { return s ? *s : QStringLiteral("(none)"); };
    auto flag = [](bool b) { return b ? QStringLiteral("visible") : QStringLiteral("hidden"); };
    auto words = [](const std::set<QString>& s) { return QString::number(s.size()) + QStringLiteral(" words"); };
    field("stage", want.stage, got.stage, number);
    field("revealedCount", want.revealedCount, got.revealedCount, number);
    field("wordLength", want.wordLength, got.wordLength, number);
    field("usedCount", want.usedCount, got.usedCount, number);
    field("maskText", want.mask, got.mask, quoted);
    field("currentWord", want.word, got.word, optional);
    field("drawn", want.drawnWords, got.drawnWords, words);
    field("Fragewort", want.wordBoxVisible, got.wordBoxVisible, flag);
    field("Fragewort text", want.wordBoxText, got.wordBoxText, quoted);
    field("Label1", want.label1, got.label1, quoted);
    field("Label2", want.label2, got.label2, quoted);
    if (withTextin)
        field("textin", want.textin, got.textin, quoted);
    field("gallows", want.gallows, got.gallows, describe);
    return out.join(QStringLiteral("; "));
}

// One key in the running round, by the rules: every position that holds the
// key's letter, in either case, shows the word's own letter; a key that
// matches nowhere is a miss. The key is what cp1252 makes of the character.
void playKey(Observation& o, char32_t typed)
{
    if (o.revealedCount == o.wordLength)
        return;
    const QChar key(char16_t(cp1252ToUnicode(unicodeToCp1252(typed))));
    const QString& word = *o.word;
    bool hit = false;
    for (qsizetype k = 0; k < word.size(); ++k) {
        if (key == word[k] || key == word[k].toLower() || key == word[k].toUpper()) {
            o.mask[k] = word[k];
            hit = true;
        }
    }
    o.wordBoxText = o.mask;
    o.revealedCount = int(o.mask.size() - o.mask.count(QLatin1Char('-')));
    if (o.revealedCount == o.wordLength) {
        o.stage = 100;
        o.gallows = partsOf({11, 12});
    } else if (!hit) {
        ++o.stage;
        if (o.stage <= 7) {
            o.gallows.set(std::size_t(o.stage - 1));
        } else {
            o.gallows |= partsOf({8, 9, 10});
            o.gallows.reset(3);
            o.wordBoxText = word;
            o.revealedCount = o.wordLength;
        }
    }
}

// A key as the keyboard reports it: key code, text and modifiers.
struct Key {
    Qt::Key code;
    QString text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// The characters the text box hands to the game for a key. Tab and Backtab
// move the focus and Delete edits; control keys type their control
// character; Alt and Meta combinations are commands. Anything else types
// the key's text, which is empty for arrows, function and modifier keys.
std::u32string typedBy(const Key& key)
{
    switch (key.code) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return {};
    case Qt::Key_Backspace:
        return U"\b";
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return U"\r";
    case Qt::Key_Escape:
        return U"\x1b";
    default:
        break;
    }
    if (key.modifiers & (Qt::AltModifier | Qt::MetaModifier))
        return {};
    const QList<uint> ucs4 = key.text.toUcs4();
    return std::u32string(ucs4.begin(), ucs4.end());
}

// Space and Enter press the focused button, as a click does.
bool pressesButton(const Key& key)
{
    return (key.code == Qt::Key_Space && key.modifiers == Qt::NoModifier)
           || ((key.code == Qt::Key_Return || key.code == Qt::Key_Enter)
               && (key.modifiers & ~Qt::KeypadModifier) == Qt::NoModifier);
}

QString describe(const Key& key)
{
    QString text;
    for (QChar ch : key.text)
        text += ch.isPrint() ? QString(ch) : QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QLatin1Char('0'));
    return QStringLiteral("key 0x%1 \"%2\" mods 0x%3")
        .arg(int(key.code), 0, 16)
        .arg(text)
        .arg(int(key.modifiers), 0, 16);
}

// The keys without text the monkey presses: editing, moving, function and
// modifier keys. The menu key is left out: the context menu it opens runs
// an event loop of its own until it is closed.
const Qt::Key quietKeys[] = {
    Qt::Key_Delete,   Qt::Key_Insert, Qt::Key_Home,     Qt::Key_End,     Qt::Key_Left,
    Qt::Key_Right,    Qt::Key_Up,     Qt::Key_Down,     Qt::Key_PageUp,  Qt::Key_PageDown,
    Qt::Key_F1,       Qt::Key_F2,     Qt::Key_F3,       Qt::Key_F4,      Qt::Key_F5,
    Qt::Key_F6,       Qt::Key_F7,     Qt::Key_F8,       Qt::Key_F9,      Qt::Key_F10,
    Qt::Key_F11,      Qt::Key_F12,    Qt::Key_Shift,    Qt::Key_Control, Qt::Key_Alt,
    Qt::Key_Meta,     Qt::Key_CapsLock, Qt::Key_NumLock, Qt::Key_Pause,  Qt::Key_Print,
};

// Characters beyond printable ASCII and Latin-1: cp1252's own letters and
// signs, and characters cp1252 lacks (one of them outside the 16-bit plane).
const char32_t moreCharacters[] = {
    U'€', U'‚', U'ƒ', U'„', U'…', U'†', U'‡', U'ˆ', U'‰', U'Š', U'‹', U'Œ', U'Ž', U'‘', U'’', U'“',
    U'”', U'•', U'–', U'—', U'˜', U'™', U'š', U'›', U'œ', U'ž', U'Ÿ', U'Ł', U'Ω', U'Ж', U'\u017f', U'\u212a',
    U'中', U'\U0001F600',
};

// A control's rectangle in pixels, as the layout places it on the form.
QRect layoutRect(std::string_view name)
{
    for (const form::ControlRow& row : form1Layout().controls)
        if (row.name == name)
            return {form::toPixels(row.left), form::toPixels(row.top), form::toPixels(row.width),
                    form::toPixels(row.height)};
    return {};
}

// What the monkey does next.
struct Action {
    enum Kind { Click, Press, InputMethod, Resize, Close } kind;
    QPoint at;       // Click
    Key key;         // Press
    QString text;    // InputMethod
    QSize size;      // Resize
};

}  // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void randomEventsKeepTheGameAndTheScreenInStep();

private:
    void openWindow();
    Observation observe() const;
    QWidget* control(std::string_view name) const { return window_->form().control(name); }
    QString invariantViolations(const Observation& o) const;
    QString screenDifferences(const Observation& o) const;
    QString layoutMoved() const;
    std::string_view clickTarget(QPoint at, bool wordBoxVisible) const;

    Action nextAction(const Observation& now);
    char32_t randomCharacter(const Observation& now);
    Key randomKey(const Observation& now);
    QString step(const Action& action, const Observation& before, Observation& after, std::string_view& done);

    QString failure(const QString& what) const;

    std::mt19937_64 monkey_;
    std::uint64_t seed_ = 0;
    std::uint64_t clock_ = 0;
    std::unique_ptr<ClockRandom> random_;
    std::unique_ptr<GameWindow> window_;
    QStringList errors_;
    std::map<std::string_view, QRect> geometry_;
    std::map<std::string_view, QImage> pictures_;
    std::deque<QString> recent_;
    long event_ = 0;

    // What the run went through, for the summary.
    std::map<QString, long> seen_;
};

void MonkeyTest::initTestCase()
{
    seed_ = std::uint64_t(envInt("GALGEN_MONKEY_SEED", 20240517));
    monkey_.seed(seed_);
    for (std::string_view p : {picture_name::condemnedLedAway, picture_name::hangedMan, picture_name::executioner,
                               picture_name::acquittal})
        pictures_[p] = renderPicture(p);
}

void MonkeyTest::cleanupTestCase() { window_.reset(); }

// A fresh run of the program: a new window with a new random source, the
// real generator with a seed of the monkey's and a clock that only ticks, so
// that the words drawn repeat from run to run of the test.
void MonkeyTest::openWindow()
{
    window_.reset();
    random_ = std::make_unique<ClockRandom>(monkey_(), [this] { return ++clock_; });
    window_ = std::make_unique<GameWindow>(*random_);
    window_->form().engine().setErrorReporter([this](const RuntimeError& e) { errors_ << QString::fromUtf8(e.what()); });
    window_->start();
    QVERIFY(QTest::qWaitForWindowActive(&window_->form()));
    geometry_.clear();
    for (const form::ControlRow& row : form1Layout().controls)
        geometry_[row.name] = control(row.name)->geometry();
}

Observation MonkeyTest::observe() const
{
    const GameState& s = window_->form1().state();
    Observation o;
    o.stage = s.stage;
    o.revealedCount = s.revealedCount;
    o.wordLength = s.wordLength;
    o.usedCount = s.usedCount;
    o.mask = fromText(s.maskText);
    if (s.currentWord)
        o.word = fromText(*s.currentWord);
    for (int row = 1; row <= s.wordCount; ++row)
        if (s.wordTable.at(row, 1) == drawn)
            o.drawnWords.insert(fromText(s.wordTable.at(row, 0)));
    const auto* wordBox = qobject_cast<QLineEdit*>(control(control::Fragewort));
    o.wordBoxVisible = wordBox->isVisible();
    o.wordBoxText = wordBox->text();
    o.label1 = qobject_cast<QLabel*>(control(control::Label1))->text();
    o.label2 = qobject_cast<QLabel*>(control(control::Label2))->text();
    o.textin = qobject_cast<QLineEdit*>(control(control::textin))->text();
    for (std::size_t i = 0; i < control::gallows.size(); ++i)
        o.gallows[i] = control(control::gallows[i])->isVisible();
    return o;
}

// What must hold after every event, whatever happened before.
QString MonkeyTest::invariantViolations(const Observation& o) const
{
    QStringList out;
    if (o.mask.size() != o.wordLength)
        out << QStringLiteral("mask \"%1\" is not %2 long").arg(o.mask).arg(o.wordLength);
    if (o.word) {
        for (qsizetype k = 0; k < o.mask.size() && k < o.word->size(); ++k)
            if (o.mask[k] != QLatin1Char('-') && o.mask[k] != (*o.word)[k])
                out << QStringLiteral("mask \"%1\" shows a letter not of \"%2\"").arg(o.mask, *o.word);
        if (o.word->size() != o.wordLength)
            out << QStringLiteral("\"%1\" is not %2 long").arg(*o.word).arg(o.wordLength);
    }
    if (!((o.stage >= 0 && o.stage <= 8) || o.stage == 100))
        out << QStringLiteral("stage %1").arg(o.stage);
    const int shown = int(o.mask.size() - o.mask.count(QLatin1Char('-')));
    if (o.revealedCount != o.wordLength && o.revealedCount != shown)
        out << QStringLiteral("revealedCount %1 with %2 letters shown").arg(o.revealedCount).arg(shown);
    if (o.stage == 8 && o.revealedCount != o.wordLength)
        out << QStringLiteral("lost, but the round goes on");
    if (o.stage == 100 && o.word && o.mask != *o.word)
        out << QStringLiteral("won with the mask \"%1\"").arg(o.mask);
    QWidget* focus = QApplication::focusWidget();
    if (focus != control(control::ende) && focus != control(control::textin) && focus != control(control::spielneu))
        out << QStringLiteral("the focus is on %1").arg(focus ? focus->objectName() : QStringLiteral("nothing"));
    return out.join(QStringLiteral("; "));
}

// Nothing is laid out again, whatever the window's size.
QString MonkeyTest::layoutMoved() const
{
    for (const auto& [name, rect] : geometry_)
        if (control(name)->geometry() != rect)
            return QStringLiteral("%1 moved").arg(QLatin1String(name.data(), qsizetype(name.size())));
    return {};
}

// The grabbed window against the model: the word box over the "?", the six
// painted gallows parts by a pixel of their own, the two labels by their
// text colour, and the pictures pixel by pixel where no other picture box
// lies over them.
QString MonkeyTest::screenDifferences(const Observation& o) const
{
    const QImage screen = grabWindow(window_->form());
    QStringList out;
    const QColor wordBoxPixel = colourAt(screen, {14, 85});
    if ((wordBoxPixel == darkBlue) != o.wordBoxVisible)
        out << QStringLiteral("the word box shows as %1").arg(wordBoxPixel.name());
    if (o.wordBoxVisible && countColour(screen, questionMarkBox, red) > 0)
        out << QStringLiteral("the \"?\" shows through the word box");

    for (const PartPixel& p : partPixels)
        if ((colourAt(screen, p.at) == p.colour) != o.gallows.test(std::size_t(p.part - 1)))
            out << QStringLiteral("teil%1 shows wrongly").arg(p.part);
    for (const PartText& p : partTexts)
        if (textShown(screen, p) != o.gallows.test(std::size_t(p.part - 1)))
            out << QStringLiteral("teil%1 shows wrongly").arg(p.part);

    const auto& boxes = partPictures;
    for (std::size_t i = 0; i < std::size(boxes); ++i) {
        const PartPicture& p = boxes[i];
        bool covered = false;
        for (std::size_t above = 0; above < i; ++above)
            covered |= o.gallows.test(std::size_t(boxes[above].part - 1)) && boxes[above].box.intersects(p.box);
        if (covered)
            continue;
        QImage expected(p.box.size(), QImage::Format_RGB32);
        expected.fill(Qt::white);
        QPainter(&expected).drawImage(0, 0, pictures_.at(p.picture));
        const bool shown = screen.copy(p.box) == expected;
        if (shown != o.gallows.test(std::size_t(p.part - 1)))
            out << QStringLiteral("teil%1 shows wrongly").arg(p.part);
    }
    return out.join(QStringLiteral("; "));
}

// The control a click at that point reaches: the topmost visible windowed
// control of the form there, by the layout's rectangles and stacking. Only
// Fragewort ever hides; painted controls take no clicks.
std::string_view MonkeyTest::clickTarget(QPoint at, bool wordBoxVisible) const
{
    for (const form::ControlRow& row : form1Layout().controls) {
        if (!row.container.empty() || row.kind == form::Kind::Label)
            continue;
        if (row.name == control::Fragewort && !wordBoxVisible)
            continue;
        if (layoutRect(row.name).contains(at))
            return row.name;
    }
    return {};
}

char32_t MonkeyTest::randomCharacter(const Observation& now)
{
    std::uniform_int_distribution<int> percent(0, 99);
    const int roll = percent(monkey_);
    // A good share of the word's own letters, in either case, so that rounds
    // are won as well as lost.
    if (roll < 60 && now.word && !now.word->isEmpty()) {
        const QChar letter = (*now.word)[std::uniform_int_distribution<qsizetype>(0, now.word->size() - 1)(monkey_)];
        return percent(monkey_) < 50 ? letter.toLower().unicode() : letter.toUpper().unicode();
    }
    if (roll < 82)
        return char32_t(std::uniform_int_distribution<int>(0x20, 0x7e)(monkey_));
    if (roll < 95)
        return char32_t(std::uniform_int_distribution<int>(0xa0, 0xff)(monkey_));
    return moreCharacters[std::uniform_int_distribution<std::size_t>(0, std::size(moreCharacters) - 1)(monkey_)];
}

Key MonkeyTest::randomKey(const Observation& now)
{
    std::uniform_int_distribution<int> percent(0, 99);
    const int roll = percent(monkey_);
    if (roll < 70) {
        // A character, with the key code of its capital as a keyboard
        // reports it.
        const char32_t ch = randomCharacter(now);
        const QString text = QString::fromUcs4(&ch, 1);
        const char32_t upper = QChar::toUpper(ch);
        const Qt::Key code = upper < 0x100 ? Qt::Key(upper) : Qt::Key_unknown;
        if (ch < 0x80 && QChar::isLetter(ch)) {
            // Letters also come with Control (typing the control character),
            // Alt or Meta held down. Control+O is left out, as the menu key
            // is: the file dialog it opens takes the keys until it is closed.
            const int mods = percent(monkey_);
            if (mods < 4 && upper != U'O')
                return {code, QString(QChar(char16_t(upper - 0x40))), Qt::ControlModifier};
            if (mods < 6)
                return {code, text, Qt::AltModifier};
            if (mods < 7)
                return {code, text, Qt::MetaModifier};
        }
        return {code, text};
    }
    if (roll < 76)
        return {Qt::Key_Backspace, QStringLiteral("\b")};
    if (roll < 79)
        return {Qt::Key_Escape, QStringLiteral("\x1b")};
    if (roll < 81)
        return {Qt::Key_Return, QStringLiteral("\r")};
    if (roll < 82)
        return {Qt::Key_Enter, QStringLiteral("\r"), Qt::KeypadModifier};
    if (roll < 86)
        return {Qt::Key_Tab, QStringLiteral("\t")};
    if (roll < 90)
        return {Qt::Key_Backtab, {}, Qt::ShiftModifier};
    return {quietKeys[std::uniform_int_distribution<std::size_t>(0, std::size(quietKeys) - 1)(monkey_)], {}};
}

// Mostly keys; clicks on the "?" and "Neues Spiel" often enough to play many
// rounds and use up the word list; clicks anywhere else; now and then a
// resize. "Ende" comes rarely, so that a run of the program lasts.
Action MonkeyTest::nextAction(const Observation& now)
{
    std::uniform_int_distribution<int> permille(0, 999);
    const QSize size = window_->form().size();
    // A point of the rectangle, or of the window if the rectangle lies
    // outside the window cut small.
    auto pointIn = [&](QRect r) {
        r &= QRect(QPoint(0, 0), size);
        if (r.isEmpty())
            r = QRect(QPoint(0, 0), size);
        return QPoint(std::uniform_int_distribution<int>(r.left(), r.right())(monkey_),
                      std::uniform_int_distribution<int>(r.top(), r.bottom())(monkey_));
    };
    const int roll = std::uniform_int_distribution<int>(0, 9999)(monkey_);
    if (roll < 5600) {
        QWidget* focus = QApplication::focusWidget();
        for (;;) {
            const Key key = randomKey(now);
            if (!(focus == window_->form().control(control::ende) && pressesButton(key)) || permille(monkey_) < 20)
                return {Action::Press, {}, key, {}, {}};
        }
    }
    if (roll < 5700) {
        QString text;
        for (int n = std::uniform_int_distribution<int>(1, 3)(monkey_); n > 0; --n) {
            const char32_t ch = randomCharacter(now);
            text += QString::fromUcs4(&ch, 1);
        }
        return {Action::InputMethod, {}, {}, text, {}};
    }
    if (roll < 6700)
        return {Action::Click, pointIn(layoutRect(control::textin)), {}, {}, {}};
    if (roll < 7400)
        return {Action::Click, pointIn(layoutRect(control::spielneu)), {}, {}, {}};
    if (roll < 7401)
        return {Action::Click, pointIn(layoutRect(control::ende)), {}, {}, {}};
    if (roll < 7402)
        return {Action::Close, {}, {}, {}, {}};
    if (roll < 9700) {
        for (;;) {
            const QPoint at = pointIn(QRect(QPoint(0, 0), size));
            if (clickTarget(at, now.wordBoxVisible) != control::ende || permille(monkey_) < 20)
                return {Action::Click, at, {}, {}, {}};
        }
    }
    if (roll < 9850)
        return {Action::Resize, {}, {}, {}, QSize(483, 449)};
    return {Action::Resize, {}, {}, {},
            QSize(std::uniform_int_distribution<int>(120, 1000)(monkey_),
                  std::uniform_int_distribution<int>(100, 800)(monkey_))};
}

// The message of a failure; the events that led to it go to the log first,
// since a test message is cut short.
QString MonkeyTest::failure(const QString& what) const
{
    qInfo("the events before the failure, the last one last:");
    for (const QString& line : recent_)
        qInfo("  %s", qPrintable(line));
    return QStringLiteral("seed %1, event %2: %3").arg(seed_).arg(event_).arg(what);
}

// Carries out one action and checks what it did against the model; done
// says what it was. Returns what went wrong, or nothing. A window that was
// unloaded is replaced by a fresh one, which must show the start screen.
QString MonkeyTest::step(const Action& action, const Observation& before, Observation& after,
                         std::string_view& done)
{
    form::Form& form = window_->form();
    QWidget* focus = QApplication::focusWidget();
    const QString focusName = focus ? focus->objectName() : QStringLiteral("nothing");
    Observation want = before;
    bool textinKnown = true;

    // What the event must do: "unload", "start" (the "?"), "new game", or
    // the characters typed into the running round.
    std::string_view effect;
    std::u32string typed;
    auto buttonEffect = [&](QWidget* button) -> std::string_view {
        if (button == control(control::ende))
            return "unload";
        if (button == control(control::spielneu))
            return "new game";
        return {};
    };

    switch (action.kind) {
    case Action::Click: {
        const std::string_view target = clickTarget(action.at, before.wordBoxVisible);
        if (target == control::textin)
            effect = "start";
        else if (target == control::spielneu)
            effect = "new game";
        else if (target == control::ende)
            effect = "unload";
        recent_.push_back(QStringLiteral("click at %1,%2").arg(action.at.x()).arg(action.at.y()));
        click(form, action.at);
        break;
    }
    case Action::Press:
        if (action.key.code == Qt::Key_F2 && action.key.modifiers == Qt::NoModifier) {
            // F2 clicks the "?" wherever the focus is, where a click could.
            if (!before.wordBoxVisible)
                effect = "start";
        } else if (focus == control(control::textin)) {
            typed = typedBy(action.key);
            textinKnown = false;
        } else if (pressesButton(action.key)) {
            effect = buttonEffect(focus);
        }
        recent_.push_back(describe(action.key) + QStringLiteral(" on ") + focusName);
        QTest::sendKeyEvent(QTest::Click, form.windowHandle(), action.key.code, action.key.text,
                            action.key.modifiers);
        break;
    case Action::InputMethod: {
        if (focus == control(control::textin)) {
            const QList<uint> ucs4 = action.text.toUcs4();
            typed.assign(ucs4.begin(), ucs4.end());
            textinKnown = false;
        }
        recent_.push_back(QStringLiteral("input method \"%1\" on %2").arg(action.text, focusName));
        QInputMethodEvent event;
        event.setCommitString(action.text);
        if (focus)
            QApplication::sendEvent(focus, &event);
        break;
    }
    case Action::Close:
        // The window system's close button: the program ends as by "Ende".
        effect = "unload";
        recent_.push_back(QStringLiteral("window closed"));
        form.windowHandle()->close();
        break;
    case Action::Resize:
        recent_.push_back(QStringLiteral("resize to %1x%2").arg(action.size.width()).arg(action.size.height()));
        form.resize(action.size);
        QCoreApplication::processEvents();
        break;
    }
    if (recent_.size() > 40)
        recent_.pop_front();

    if (!errors_.isEmpty())
        return QStringLiteral("run-time error: ") + errors_.join(QStringLiteral(", "));
    if (!form.isVisible()) {
        if (effect != "unload")
            return QStringLiteral("the window went away");
        done = "unload";
        openWindow();
        if (QTest::currentTestFailed())
            return QStringLiteral("no fresh window");
        after = observe();
        if (QApplication::focusWidget() != control(control::ende))
            return QStringLiteral("the fresh window has not the focus on \"Ende\"");
        return differences(Observation{}, after, true);
    }
    if (effect == "unload")
        return QStringLiteral("\"Ende\" did not end the program");

    after = observe();
    done = effect;
    if (effect == "start") {
        if (before.drawnWords.size() == listSize) {
            want.wordBoxVisible = true;
            want.wordBoxText = exhausted;
            want.usedCount = listSize;
            done = "exhausted";
        } else {
            // The draw is the generator's; the rules fix everything else.
            if (!after.word || before.drawnWords.contains(*after.word))
                return QStringLiteral("drawn again or not at all: ") + after.word.value_or(QString());
            const QString dashes(after.word->size(), QLatin1Char('-'));
            want.word = after.word;
            want.drawnWords.insert(*after.word);
            want.usedCount = int(before.drawnWords.size());
            want.wordLength = int(after.word->size());
            want.mask = dashes;
            want.stage = 0;
            want.revealedCount = 0;
            want.wordBoxVisible = true;
            want.wordBoxText = dashes;
            want.label1 = roundHeadline;
            want.label2 = roundInstruction;
            want.textin = QStringLiteral("?");
        }
        if (QApplication::focusWidget() != control(control::textin))
            return QStringLiteral("the click on \"?\" left the focus elsewhere");
    } else if (effect == "new game") {
        want.usedCount = int(before.drawnWords.size());
        want.wordBoxVisible = false;
        want.label1 = startHeadline;
        want.label2 = startInstruction;
        want.textin = QStringLiteral("?");
        want.gallows.reset();
        if (QApplication::focusWidget() != control(control::spielneu))
            return QStringLiteral("\"Neues Spiel\" does not have the focus");
    } else {
        for (char32_t ch : typed) {
            if (want.revealedCount != want.wordLength)
                done = want.wordBoxVisible ? "key in a round" : "key in a hidden round";
            playKey(want, ch);
        }
    }

    if (const QString diff = differences(want, after, textinKnown); !diff.isEmpty())
        return diff;
    if (const QString broken = invariantViolations(after); !broken.isEmpty())
        return broken;
    if (const QString moved = layoutMoved(); !moved.isEmpty())
        return moved;
    return {};
}

void MonkeyTest::randomEventsKeepTheGameAndTheScreenInStep()
{
    const long events = envInt("GALGEN_MONKEY_EVENTS", 50000);
    QElapsedTimer clock;
    clock.start();

    // Rounds that began on an empty gallows and have not met "Neues Spiel"
    // since show the gallows of their stage, as the table of stages gives it.
    bool cleanRound = false;

    // Qt's own warnings count as failures too.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    openWindow();
    Observation now = observe();
    QCOMPARE(differences(Observation{}, now, true), QString());

    for (event_ = 1; event_ <= events; ++event_) {
        const Action action = nextAction(now);
        std::string_view done;
        Observation after;
        const QString problem = step(action, now, after, done);
        const QString what = QString::fromLatin1(done.data(), qsizetype(done.size()));
        recent_.back() += QStringLiteral(" -> %1: stage %2, mask \"%3\", word box %4, gallows %5")
                              .arg(what.isEmpty() ? QStringLiteral("-") : what)
                              .arg(after.stage)
                              .arg(after.mask, after.wordBoxVisible ? QStringLiteral("shown") : QStringLiteral("hidden"),
                                   describe(after.gallows));
        if (!problem.isEmpty())
            QFAIL(qPrintable(failure(problem)));
        if (!what.isEmpty())
            ++seen_[what];

        if (done == "start")
            cleanRound = now.gallows.none();
        else if (done == "new game" || done == "unload")
            cleanRound = false;
        if (done == "key in a round" || done == "key in a hidden round") {
            if (after.stage == 8 && now.stage != 8)
                ++seen_[QStringLiteral("lost")];
            if (after.stage == 100 && now.stage != 100)
                ++seen_[QStringLiteral("won")];
        }
        if (cleanRound && after.gallows != gallowsForStage(after.stage))
            QFAIL(qPrintable(failure(QStringLiteral("stage %1 shows %2")
                                         .arg(after.stage)
                                         .arg(describe(after.gallows)))));

        const QSize size = window_->form().size();
        if (event_ % 16 == 0 && size.width() >= 483 && size.height() >= 449) {
            const QString screen = screenDifferences(after);
            if (!screen.isEmpty())
                QFAIL(qPrintable(failure(screen)));
            ++seen_[QStringLiteral("screen grabbed")];
        }
        now = after;
    }

    QStringList summary;
    for (const auto& [what, count] : seen_)
        summary << QStringLiteral("%1 %2").arg(count).arg(what);
    qInfo("%ld events in %.1f s (seed %llu): %s", events, double(clock.elapsed()) / 1000.0,
          static_cast<unsigned long long>(seed_), qPrintable(summary.join(QStringLiteral(", "))));
}

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
