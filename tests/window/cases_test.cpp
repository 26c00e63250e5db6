// SPDX-License-Identifier: GPL-3.0-or-later
// The shared table of cases (tests/cases/form_cases.json) on the Qt engine:
// Form1 in a real window on the offscreen platform, played with real mouse
// and key events and input-method events, each case from a fresh window.
// What every engine must give is in the table; this file only says how the
// desktop's hands and eyes do each step.
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <memory>

#include "form.h"
#include "form1.h"
#include "key_log.h"
#include "layout.h"
#include "pictures.h"
#include "screen_probe.h"
#include "scripted_random.h"
#include "widgets.h"

using namespace galgen;
using namespace galgen::testing;

namespace {

QJsonObject table()
{
    const QString path = qEnvironmentVariableIsSet("GALGEN_CASES") ? qEnvironmentVariable("GALGEN_CASES")
                                                                  : QStringLiteral(GALGEN_CASES);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return QJsonDocument::fromJson(file.readAll()).object();
}

// A key by its DOM name, as the desktop's keyboard reports it: Qt's key
// code, the text X11 gives it, and the modifiers.
struct QtKey {
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers;
};

QtKey qtKey(const QString& name, const QJsonArray& modifierNames)
{
    Qt::KeyboardModifiers modifiers;
    for (const QJsonValue& m : modifierNames) {
        const QString modifier = m.toString();
        modifiers |= modifier == "Shift" ? Qt::ShiftModifier
                     : modifier == "Control" ? Qt::ControlModifier
                     : modifier == "Alt" ? Qt::AltModifier
                     : modifier == "Meta" ? Qt::MetaModifier
                     : Qt::NoModifier;
    }
    const struct {
        const char* name;
        Qt::Key key;
        const char* text;
    } named[] = {
        {"Backspace", Qt::Key_Backspace, "\b"}, {"Enter", Qt::Key_Return, "\r"}, {"NumpadEnter", Qt::Key_Enter, "\r"},
        {"Escape", Qt::Key_Escape, "\x1b"},     {"Tab", Qt::Key_Tab, "\t"},       {"Delete", Qt::Key_Delete, "\x7f"},
        {"ArrowLeft", Qt::Key_Left, ""},        {"Home", Qt::Key_Home, ""},       {"End", Qt::Key_End, ""},
        {"Shift", Qt::Key_Shift, ""},           {"F1", Qt::Key_F1, ""},           {"F2", Qt::Key_F2, ""},
        {"F3", Qt::Key_F3, ""},                 {"F10", Qt::Key_F10, ""},
    };
    for (const auto& n : named) {
        if (name == QLatin1String(n.name)) {
            if (n.key == Qt::Key_Tab && (modifiers & Qt::ShiftModifier))
                return {Qt::Key_Backtab, QString(), modifiers};
            return {n.key, QString::fromLatin1(n.text),
                    n.key == Qt::Key_Enter ? modifiers | Qt::KeypadModifier : modifiers};
        }
    }
    if (name.toUcs4().size() != 1)
        qFatal("a key the driver does not know: %s", qPrintable(name));
    const QChar ch = name.at(0);
    const char16_t upper = ch.toUpper().unicode();
    const Qt::Key key = upper < 0x100 ? Qt::Key(upper) : Qt::Key_unknown;
    // X11 gives Control with a letter its control character as text.
    if ((modifiers & Qt::ControlModifier) && upper >= 'A' && upper <= 'Z')
        return {key, QString(QChar(upper - 64)), modifiers};
    return {key, name, modifiers};
}

}  // namespace

class CasesTest : public QObject {
    Q_OBJECT

private slots:
    void cases_data();
    void cases();

private:
    void run(const QJsonArray& steps);
    void step(const QJsonObject& step, int iteration);
    void dropFile(const QString& path);
    void pick(const QString& caption);
    void choose(const QString& path);
    void expect(const QJsonObject& want);
    void settle();
    QList<QMessageBox*> errorsShown() const;
    QWidget* widget(const QString& name) const;
    QString textOf(const QString& name) const;

    ScriptedRandom random_;
    std::unique_ptr<form::Form> form_;
    std::unique_ptr<KeyLoggingEngine> log_;
    std::unique_ptr<Form1> form1_;
    QJsonArray watch_;
};

void CasesTest::cases_data()
{
    QTest::addColumn<QJsonArray>("steps");
    const QJsonObject all = table();
    watch_ = all.value("watch").toArray();
    for (const QJsonValue& c : all.value("cases").toArray())
        QTest::newRow(qPrintable(c["name"].toString())) << c["steps"].toArray();
}

void CasesTest::cases()
{
    QFETCH(QJsonArray, steps);
    random_ = ScriptedRandom();
    form_ = std::make_unique<form::Form>(form1Layout(), pictureFolder);
    log_ = std::make_unique<KeyLoggingEngine>(form_->engine());
    form1_ = std::make_unique<Form1>(*log_, random_);
    form_->load();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    run(steps);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(errorsShown().isEmpty(), "a run-time error no step expected");
    QCOMPARE(random_.remaining(), std::size_t(0));
    form1_.reset();
    log_.reset();
    form_.reset();
}

void CasesTest::run(const QJsonArray& steps)
{
    for (int i = 0; i < steps.size() && !QTest::currentTestFailed(); ++i) {
        const QJsonObject s = steps[i].toObject();
        if (s.contains("repeat")) {
            for (int n = 1; n <= s["repeat"].toInt() && !QTest::currentTestFailed(); ++n)
                for (const QJsonValue& inner : s["steps"].toArray())
                    step(inner.toObject(), n);
        } else {
            step(s, 0);
        }
        if (QTest::currentTestFailed())
            qWarning("at step %d: %s", i + 1, QJsonDocument(s).toJson(QJsonDocument::Compact).constData());
    }
}

void CasesTest::step(const QJsonObject& s, int iteration)
{
    QWidget& window = *form_;
    QWidget* focus = QApplication::focusWidget();
    if (s.contains("draw")) {
        random_.pushRow(s["draw"].isString() ? iteration : s["draw"].toInt(), form1_->state().wordCount);
    } else if (s.contains("random")) {
        random_.push(float(s["random"].toDouble()));
    } else if (s.contains("click")) {
        QWidget* target = widget(s["click"].toString());
        click(window, target->mapTo(&window, target->rect().center()));
    } else if (s.contains("activate")) {
        // What assistive technology does: the control's own press action.
        QAccessible::queryAccessibleInterface(widget(s["activate"].toString()))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
    } else if (s.contains("clickAt")) {
        click(window, {s["clickAt"][0].toInt(), s["clickAt"][1].toInt()});
    } else if (s.contains("type")) {
        type(window, s["type"].toString());
    } else if (s.contains("key")) {
        const QtKey k = qtKey(s["key"].toString(), s["modifiers"].toArray());
        QTest::sendKeyEvent(QTest::Click, window.windowHandle(), k.key, k.text, k.modifiers);
    } else if (s.contains("input") || s.contains("compose") || s.contains("dead")) {
        QVERIFY(focus);
        if (s.contains("dead"))
            QTest::sendKeyEvent(QTest::Click, window.windowHandle(), Qt::Key_Dead_Circumflex, QString(), {});
        for (const QJsonValue& preedit : s["compose"].toArray()) {
            QInputMethodEvent composing(preedit.toString(), {});
            QApplication::sendEvent(focus, &composing);
        }
        QInputMethodEvent commit;
        commit.setCommitString(s.contains("input") ? s["input"].toString() : s["commit"].toString());
        QApplication::sendEvent(focus, &commit);
    } else if (s.contains("early")) {
        // The window is ready from the start: the steps come as any others.
        for (const QJsonValue& inner : s["early"].toArray())
            step(inner.toObject(), iteration);
    } else if (s.contains("list")) {
        dropFile(QStringLiteral(GALGEN_SOURCE_DIR "/") + s["list"].toString());
    } else if (s.contains("rightClickAt")) {
        QTest::mouseClick(window.windowHandle(), Qt::RightButton, {},
                          {s["rightClickAt"][0].toInt(), s["rightClickAt"][1].toInt()});
    } else if (s.contains("pick")) {
        pick(s["pick"].toString());
    } else if (s.contains("choose")) {
        choose(s["choose"].toString().isEmpty() ? QString()
                                                : QStringLiteral(GALGEN_SOURCE_DIR "/") + s["choose"].toString());
    } else if (s.contains("expect")) {
        expect(s["expect"].toObject());
    } else {
        QFAIL("a step of a kind the driver does not know");
    }
}

// What a file manager's drag brings: the file's address, dragged over the
// middle of the window and dropped there; the form takes it once the drop
// is over.
void CasesTest::dropFile(const QString& path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint middle = form_->rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form_.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(middle, Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form_.get(), &drop);
    QVERIFY(drop.isAccepted());
    settle();
}

// A click on the entry of the menu that shows.
void CasesTest::pick(const QString& caption)
{
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY2(menu, "no menu shows");
    const QList<QAction*> actions = menu->actions();
    const auto entry = std::find_if(actions.begin(), actions.end(), [&](QAction* a) { return a->text() == caption; });
    QVERIFY2(entry != actions.end(), qPrintable("the menu has no entry " + caption));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(*entry).center());
    QTRY_VERIFY(!QApplication::activePopupWidget());
    settle();
}

// The file's path typed into the dialog's name field, then Enter; or the
// dialog cancelled with Escape.
void CasesTest::choose(const QString& path)
{
    auto* dialog = form_->findChild<QFileDialog*>();
    QVERIFY2(dialog && dialog->isVisible(), "no dialog for opening a file shows");
    QWidget* field = dialog->focusWidget();
    QVERIFY(qobject_cast<QLineEdit*>(field));
    if (path.isEmpty()) {
        QTest::keyClick(field, Qt::Key_Escape);
    } else {
        QTest::keyClicks(field, path);
        QTest::keyClick(field, Qt::Key_Return);
    }
    QTRY_VERIFY(!form_->findChild<QFileDialog*>());
    settle();
}

// Once a dialog, a menu or a message has closed, the window is active again
// before the next step, and the focus back where it was, as a player finds
// them.
void CasesTest::settle()
{
    QCoreApplication::processEvents();
    if (!QApplication::activePopupWidget() && !form_->findChild<QFileDialog*>() && errorsShown().isEmpty())
        QTRY_VERIFY(form_->isActiveWindow());
}

// The message boxes that show on the window.
QList<QMessageBox*> CasesTest::errorsShown() const
{
    QList<QMessageBox*> shown;
    for (QMessageBox* box : form_->findChildren<QMessageBox*>())
        if (box->isVisible())
            shown << box;
    return shown;
}

void CasesTest::expect(const QJsonObject& want)
{
    if (want.contains("codes")) {
        QJsonArray codes;
        for (int code : log_->take())
            codes.append(code);
        QCOMPARE(codes, want["codes"].toArray());
    }
    if (want.contains("focus")) {
        QWidget* focus = QApplication::focusWidget();
        QCOMPARE(focus ? focus->objectName() : QString(), want["focus"].toString());
    }
    if (want.contains("shown")) {
        QJsonArray shown;
        for (const QJsonValue& name : watch_)
            if (widget(name.toString())->isVisibleTo(form_.get()))
                shown.append(name);
        QCOMPARE(shown, want["shown"].toArray());
    }
    const QJsonObject texts = want["texts"].toObject();
    for (auto text = texts.begin(); text != texts.end(); ++text)
        QCOMPARE(textOf(text.key()), text.value().toString());
    if (want.contains("spoken")) {
        const auto* announcement = form_->findChild<form::Announcement*>();
        QCOMPARE(announcement->accessibleName(), want["spoken"].toString());
    }
    // A long message shows its first lines, and all of them under "Alle
    // zeigen …".
    if (want.contains("error")) {
        QTRY_COMPARE(errorsShown().size(), 1);
        QMessageBox* box = errorsShown().front();
        const QString shown = box->detailedText().isEmpty() ? box->text() : box->detailedText();
        QVERIFY2(shown.startsWith(want["error"].toString()), qPrintable(shown));
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        QTRY_VERIFY(errorsShown().isEmpty());
        settle();
    } else if (const QList<QMessageBox*> shown = errorsShown(); !shown.isEmpty()) {
        QFAIL(qPrintable("an error shows: " + shown.front()->text()));
    }
    if (want.contains("ended")) {
        QCOMPARE(form_->engine().unloaded(), want["ended"].toBool());
        QCOMPARE(form_->isVisible(), !want["ended"].toBool());
    }
}

QWidget* CasesTest::widget(const QString& name) const
{
    QWidget* control = form_->control(name.toStdString());
    if (!control)
        qFatal("the table names a control the form lacks: %s", qPrintable(name));
    return control;
}

QString CasesTest::textOf(const QString& name) const
{
    QWidget* control = widget(name);
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* box = qobject_cast<QLineEdit*>(control))
        return box->text();
    return qobject_cast<QAbstractButton*>(control)->text();
}

QTEST_MAIN(CasesTest)
#include "cases_test.moc"
