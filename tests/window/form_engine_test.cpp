// SPDX-License-Identifier: GPL-3.0-or-later
// The form engine on Form1's layout, without the game: display commands,
// the key codes a text box delivers, fonts, picture boxes and what screen
// readers are told.
#include <QAccessible>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServer>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <memory>
#include <vector>

#include "controls.h"
#include "errors.h"
#include "form.h"
#include "pictures.h"
#include "german_qt_texts.h"
#include "layout.h"
#include "screen_probe.h"
#include "word_file.h"

using namespace galgen;
using namespace galgen::testing;

// The far end of the accessibility bus: keeps the AT-SPI state changes the
// engine sends.
class StateChanges : public QObject {
    Q_OBJECT
public:
    QList<QDBusMessage> received;
public slots:
    void record(const QDBusMessage& message) { received << message; }
};

class FormEngineTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { form_.reset(); }

    void textArrivesInCp1252();
    void keyPressCodes();
    void inputMethodCommitsAreTypedKeys();
    void textFitsAsLaidOut();
    void longestWordShowsWhole();
    void pictureBoxesDrawUnscaledInFullColour();
    void screenReadersHearEveryControl();
    void textBoxMenuSpeaksGerman();
    void announcementIsHeardNotSeen();
    void accessibleClickRunsInsideTheErrorBoundary();
    void visibilityReachesTheAccessibilityBus();

private:
    template <typename T>
    T* widget(std::string_view name) { return qobject_cast<T*>(form_->control(name)); }

    std::unique_ptr<form::Form> form_;
};

void FormEngineTest::init()
{
    form_ = std::make_unique<form::Form>(form1Layout(), pictureFolder);
    form_->engine().setErrorReporter([](const RuntimeError& error) { QFAIL(error.what()); });
    form_->load();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void FormEngineTest::textArrivesInCp1252()
{
    const Text word = Text::fromCp1252("L\xF6" "ffel \x80 \xDF\xDC");
    form_->engine().apply({control::Label1, Property::Caption, word});
    form_->engine().apply({control::Fragewort, Property::Text, word});
    form_->engine().apply({control::ende, Property::Caption, Text::fromCp1252("S&chluss")});
    QCOMPARE(widget<QLabel>(control::Label1)->text(), QStringLiteral("Löffel € ßÜ"));
    QCOMPARE(widget<QLineEdit>(control::Fragewort)->text(), QStringLiteral("Löffel € ßÜ"));
    // A caption's ampersand is shown, never taken as an access key.
    QCOMPARE(widget<QPushButton>(control::ende)->text(), QStringLiteral("S&&chluss"));
}

// Keys whose Qt events carry no text still type their character; the
// handler runs before the box takes the key into its text. The codes of
// every other key are in the table of form cases.
void FormEngineTest::keyPressCodes()
{
    auto* textin = widget<QLineEdit>(control::textin);
    std::vector<i16> codes;
    QString textAtKeyPress;
    form_->engine().onKeyPress(control::textin, [&](const i16& code) {
        codes.push_back(code);
        textAtKeyPress = textin->text();
    });
    form_->engine().apply({control::Fragewort, Property::Visible, false});   // it lies over textin
    click(*form_, questionMark);
    QCOMPARE(QApplication::focusWidget(), textin);

    QTest::sendKeyEvent(QTest::Click, form_->windowHandle(), Qt::Key_Backspace, QString(), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, form_->windowHandle(), Qt::Key_Enter, QString(), Qt::KeypadModifier);
    QCOMPARE(codes, (std::vector<i16>{8, 13}));

    textin->setText("?");
    type(*form_, "ö");
    QCOMPARE(textAtKeyPress, QStringLiteral("?"));
    QCOMPARE(textin->text(), QStringLiteral("?ö"));
    press(*form_, Qt::Key_Backspace);
    QCOMPARE(textAtKeyPress, QStringLiteral("?ö"));
    QCOMPARE(textin->text(), QStringLiteral("?"));
}

// What an input method shows while it composes is not typed on the
// desktop; what it commits is, even where it differs from what it showed.
void FormEngineTest::inputMethodCommitsAreTypedKeys()
{
    auto* textin = widget<QLineEdit>(control::textin);
    std::vector<i16> codes;
    form_->engine().onKeyPress(control::textin, [&](const i16& code) { codes.push_back(code); });

    QInputMethodEvent composing(QStringLiteral("a"), {});
    QApplication::sendEvent(textin, &composing);
    QVERIFY(codes.empty());
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("äÄ"));
    QApplication::sendEvent(textin, &commit);
    QCOMPARE(codes, (std::vector<i16>{228, 196}));
    QCOMPARE(textin->text(), QStringLiteral("?äÄ"));
}

// The substitute fonts must fit the texts into the controls as laid out.
void FormEngineTest::textFitsAsLaidOut()
{
    struct Row {
        std::string_view control;
        QString text;
        int lines;   // 0: any number that fits the height
    };
    const std::vector<Row> rows = {
        {control::teil10, "Leider verloren...!", 2},
        {control::teil11, "Gewonnen !!!", 1},
        {control::Label1, "Worteraten mit dem Galgenmännchen", 1},
        {control::Label1, "Errate das geheime Wort oder es wird dir schlecht ergehen !!", 1},
        {control::Label2, "Starte das Spiel, indem du auf das rote Fragezeichen unter diesem Satz klickst !", 1},
        {control::Label2,
         "Es wurde ein geheimes Wort ermittelt, das du raten musst! Drücke die Tasten der Buchstaben, von denen "
         "du meinst, dass sie im Wort vorkommen! Aber hüte dich vor falschen Buchstaben, der Galgen wartet schon!",
         0},
    };
    for (const Row& row : rows) {
        auto* label = widget<QLabel>(row.control);
        const QFontMetrics metrics(label->font());
        const QRect used = metrics.boundingRect(label->contentsRect(), int(label->alignment()) | Qt::TextWordWrap,
                                                row.text);
        const int lines = (used.height() + metrics.leading()) / metrics.lineSpacing();
        QVERIFY2(used.height() <= label->height(), qPrintable(row.text));
        QVERIFY2(used.width() <= label->width(), qPrintable(row.text));
        if (row.lines)
            QVERIFY2(lines == row.lines, qPrintable(row.text + " in " + QString::number(lines) + " lines"));
    }

    // The two lines of the loss message fill its label's height.
    auto* loss = widget<QLabel>(control::teil10);
    QVERIFY(2 * QFontMetrics(loss->font()).lineSpacing() >= loss->height() - 4);
    // The headline stays clear of the strip where the instruction overlaps it.
    QVERIFY(QFontMetrics(widget<QLabel>(control::Label1)->font()).height() <= 21);
}

// The longest word a list may hold shows whole in the word box in every
// letter a word may have, and one of the widest letter more would not: its
// ink as painted spans what the font says the whole word needs (a word
// wider than the box is cut at its edges).
void FormEngineTest::longestWordShowsWhole()
{
    auto* box = widget<QLineEdit>(control::Fragewort);
    const QColor ground = box->palette().color(QPalette::Base);
    const auto shownWhole = [&](const QString& word) {
        form_->engine().apply({control::Fragewort, Property::Text, Text::fromUtf8(word.toStdString())});
        const QImage image = box->grab().toImage();
        int left = image.width(), right = -1;
        for (int y = 4; y < image.height() - 4; ++y)
            for (int x = 2; x < image.width() - 2; ++x)
                if (image.pixelColor(x, y) != ground) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        // Antialiasing may leave an edge pixel the colour of the ground.
        return right - left + 1 >= QFontMetrics(box->font()).tightBoundingRect(word).width() - 2;
    };
    QString widest;
    for (const QChar letter : QString::fromStdString(unicodeToUtf8(allowedLetters))) {
        const QString word(maxWordLetters, letter);
        QVERIFY2(shownWhole(word), qPrintable(word));
        if (widest.isEmpty() || box->fontMetrics().horizontalAdvance(word) > box->fontMetrics().horizontalAdvance(widest))
            widest = word;
    }
    QCOMPARE(widest.front(), QChar('W'));
    QVERIFY2(!shownWhole(widest + widest.front()), "one letter more than the longest word still fits");
}

void FormEngineTest::pictureBoxesDrawUnscaledInFullColour()
{
    struct Row {
        std::string_view control;
        std::string_view picture;
        QRect box;
    };
    const std::vector<Row> rows = {
        {control::teil4, picture_name::condemnedLedAway, onPanel(242, 124, 110, 117)},
        {control::teil8, picture_name::hangedMan, onPanel(237, 25, 61, 130)},
        {control::teil9, picture_name::executioner, onPanel(157, 140, 62, 129)},
        {control::teil12, picture_name::acquittal, onPanel(162, 124, 187, 180)},
    };
    for (const Row& row : rows) {
        for (std::string_view part : control::gallows)
            form_->engine().apply({part, Property::Visible, part == row.control});
        QVERIFY(!form_->control(row.control)->isEnabled());
        QVERIFY2(showsPicture(grabWindow(*form_), row.box, row.picture), row.control.data());
    }
}

void FormEngineTest::screenReadersHearEveryControl()
{
    struct Row {
        std::string_view control;
        QAccessible::Role role;
        QString name;   // empty: any non-empty name
    };
    const std::vector<Row> rows = {
        {control::teil1, QAccessible::Graphic, "Unterste Stufe der Treppe"},
        {control::teil5, QAccessible::Graphic, "Pfosten des Galgens"},
        {control::teil7, QAccessible::Graphic, "Strebe des Galgens"},
        {control::teil4, QAccessible::Graphic, pictureDescription(picture_name::condemnedLedAway)},
        {control::teil12, QAccessible::Graphic, pictureDescription(picture_name::acquittal)},
        {control::item9a, QAccessible::Grouping, ""},
        {control::teil10, QAccessible::StaticText, "Leider verloren...!"},
        {control::spielneu, QAccessible::Button, "Neues Spiel"},
        {control::Fragewort, QAccessible::EditableText, "Gesuchtes Wort"},
    };
    for (const Row& row : rows) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(form_->control(row.control));
        QVERIFY2(accessible, row.control.data());
        QCOMPARE(accessible->role(), row.role);
        if (row.name.isEmpty())
            QVERIFY(!accessible->text(QAccessible::Name).isEmpty());
        else
            QCOMPARE(accessible->text(QAccessible::Name), row.name);
    }

    // The word box is read out with what it currently shows.
    form_->engine().apply({control::Fragewort, Property::Text, Text::fromUtf8("E-e----")});
    QAccessibleInterface* word = QAccessible::queryAccessibleInterface(form_->control(control::Fragewort));
    QCOMPARE(word->text(QAccessible::Value), QStringLiteral("E-e----"));
}

// Qt's own texts in the text box's context menu come from the game's German
// table; a text Qt asks for under another name would show up in English.
void FormEngineTest::textBoxMenuSpeaksGerman()
{
    GermanQtTexts german;
    QCoreApplication::installTranslator(&german);
    const std::unique_ptr<QMenu> menu(widget<QLineEdit>(control::textin)->createStandardContextMenu());
    QStringList shown;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator())
            shown << action->text();
    }
    const QStringList expected = {
        QStringLiteral("&Rückgängig\tStrg+Z"), QStringLiteral("&Wiederholen\tStrg+Y"),
        QStringLiteral("&Ausschneiden\tStrg+X"), QStringLiteral("&Kopieren\tStrg+C"),
        QStringLiteral("Einf&ügen\tStrg+V"), QStringLiteral("Löschen"),
        QStringLiteral("Alles auswählen\tStrg+A"),
    };
    QCOMPARE(shown, expected);
}

// A message becomes the name of the one Notification of the window; the
// window looks as before.
void FormEngineTest::announcementIsHeardNotSeen()
{
    const QImage before = grabWindow(*form_);
    const QString message = QStringLiteral("Wort: Strich ö Strich. 1 von 8 Fehlern.");
    form_->engine().announce(message.toStdString());

    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form_.get());
    QStringList notifications;
    for (int i = 0; i < window->childCount(); ++i)
        if (window->child(i)->role() == QAccessible::Notification)
            notifications << window->child(i)->text(QAccessible::Name);
    QCOMPARE(notifications, QStringList{message});
    QCOMPARE(grabWindow(*form_), before);
}

// The "?" box's action, offered only where a mouse click would reach the
// box, runs the click handler inside the error boundary.
void FormEngineTest::accessibleClickRunsInsideTheErrorBoundary()
{
    QStringList reported;
    form_->engine().setErrorReporter([&](const RuntimeError& error) { reported << QString::fromUtf8(error.what()); });
    form_->engine().onClick(control::textin, [] { raise(ErrorKind::Overflow); });
    QAccessibleActionInterface* actions =
        QAccessible::queryAccessibleInterface(form_->control(control::textin))->actionInterface();
    const QString press = QAccessibleActionInterface::pressAction();

    QVERIFY(!actions->actionNames().contains(press));   // Fragewort lies over it
    form_->engine().apply({control::Fragewort, Property::Visible, false});
    QVERIFY(actions->actionNames().contains(press));
    QCOMPARE(actions->localizedActionName(press), QStringLiteral("Neues Wort"));
    actions->doAction(press);
    QCOMPARE(reported.size(), 1);
}

// Showing and hiding a control tells the accessibility bus "visible" for
// that control, which Qt itself does not; the bus here is a peer of the
// connection that Qt's AT-SPI bridge would open.
void FormEngineTest::visibilityReachesTheAccessibilityBus()
{
    QDBusServer server;
    QVERIFY(server.isConnected());
    StateChanges changes;
    connect(&server, &QDBusServer::newConnection, &changes, [&changes](const QDBusConnection& peer) {
        QDBusConnection(peer).connect({}, {}, QStringLiteral("org.a11y.atspi.Event.Object"),
                                      QStringLiteral("StateChanged"), &changes, SLOT(record(QDBusMessage)));
    });
    QVERIFY(QDBusConnection::connectToPeer(server.address(), QStringLiteral("a11y")).isConnected());

    form_->engine().apply({control::teil10, Property::Visible, false});
    form_->engine().apply({control::teil10, Property::Visible, true});
    QTRY_COMPARE(changes.received.size(), 2);
    QDBusConnection::disconnectFromPeer(QStringLiteral("a11y"));

    QAccessibleInterface* label = QAccessible::queryAccessibleInterface(form_->control(control::teil10));
    const QString path = QStringLiteral("/org/a11y/atspi/accessible/") + QString::number(QAccessible::uniqueId(label));
    for (int i = 0; i < 2; ++i) {
        const QDBusMessage& change = changes.received[i];
        QCOMPARE(change.path(), path);
        QCOMPARE(change.arguments().value(0).toString(), QStringLiteral("visible"));
        QCOMPARE(change.arguments().value(1).toInt(), i);   // hidden, then shown
    }
}

QTEST_MAIN(FormEngineTest)
#include "form_engine_test.moc"
