// SPDX-License-Identifier: GPL-3.0-or-later
// The player's actions of the table of form cases in the Qt window, as the
// desktop's hands do them; the table's Qt driver and the monkey share them.
#pragma once

#include <QAccessible>
#include <QApplication>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QJsonArray>
#include <QJsonObject>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "form.h"
#include "screen_probe.h"

namespace galgen::testing {

// A key by its DOM name, as the desktop's keyboard reports it: Qt's key
// code, the text X11 gives it, and the modifiers.
struct QtKey {
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers;
};

inline QtKey qtKey(const QString& name, const QStringList& modifierNames)
{
    Qt::KeyboardModifiers modifiers;
    for (const QString& modifier : modifierNames) {
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
        {"F3", Qt::Key_F3, ""},                 {"F4", Qt::Key_F4, ""},           {"F5", Qt::Key_F5, ""},
        {"F12", Qt::Key_F12, ""},               {"ArrowRight", Qt::Key_Right, ""}, {"ArrowUp", Qt::Key_Up, ""},
        {"ArrowDown", Qt::Key_Down, ""},        {"PageUp", Qt::Key_PageUp, ""},   {"PageDown", Qt::Key_PageDown, ""},
        {"Insert", Qt::Key_Insert, ""},         {"Control", Qt::Key_Control, ""}, {"Alt", Qt::Key_Alt, ""},
        {"CapsLock", Qt::Key_CapsLock, ""},
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
        qFatal("a key the tests do not know: %s", qPrintable(name));
    const QChar ch = name.at(0);
    const char16_t upper = ch.toUpper().unicode();
    const Qt::Key key = upper < 0x100 ? Qt::Key(upper) : Qt::Key_unknown;
    // X11 gives Control with a letter its control character as text.
    if ((modifiers & Qt::ControlModifier) && upper >= 'A' && upper <= 'Z')
        return {key, QString(QChar(upper - 64)), modifiers};
    return {key, name, modifiers};
}

// One key by its DOM name with these modifiers held, pressed and released.
inline void pressNamed(QWidget& window, const QString& name, const QStringList& modifiers = {})
{
    const QtKey k = qtKey(name, modifiers);
    QTest::sendKeyEvent(QTest::Click, window.windowHandle(), k.key, k.text, k.modifiers);
}

// What a file manager's drag brings: the file's address, dragged over the
// middle of the window and dropped there; the form takes it once the drop
// is over.
inline void dropFile(QWidget& window, const QString& path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint middle = window.rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(middle, Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    QVERIFY(drop.isAccepted());
    QCoreApplication::processEvents();
}

// Plays the step if it is one of the player's actions, a file's path taken
// from the project's folder `root`; false for a step of another kind.
inline bool playAction(form::Form& window, const QJsonObject& s, const QString& root)
{
    const auto control = [&](const char* what) {
        QWidget* c = window.control(s[what].toString().toStdString());
        if (!c)
            qFatal("the table names a control the form lacks: %s", qPrintable(s[what].toString()));
        return c;
    };
    if (s.contains("click")) {
        QWidget* target = control("click");
        click(window, target->mapTo(&window, target->rect().center()));
    } else if (s.contains("activate")) {
        // What assistive technology does: the control's own press action.
        QAccessible::queryAccessibleInterface(control("activate"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
    } else if (s.contains("clickAt")) {
        click(window, {s["clickAt"][0].toInt(), s["clickAt"][1].toInt()});
    } else if (s.contains("type")) {
        type(window, s["type"].toString());
    } else if (s.contains("key")) {
        QStringList modifiers;
        for (const QJsonValue& m : s["modifiers"].toArray())
            modifiers << m.toString();
        pressNamed(window, s["key"].toString(), modifiers);
    } else if (s.contains("input") || s.contains("compose") || s.contains("dead")) {
        // The desktop's input methods show a composition without typing it,
        // and type what they commit.
        QWidget* focus = QApplication::focusWidget();
        if (s.contains("dead"))
            QTest::sendKeyEvent(QTest::Click, window.windowHandle(), Qt::Key_Dead_Circumflex, QString(), {});
        for (const QJsonValue& preedit : s["compose"].toArray()) {
            QInputMethodEvent composing(preedit.toString(), {});
            if (focus)
                QApplication::sendEvent(focus, &composing);
        }
        QInputMethodEvent commit;
        commit.setCommitString(s.contains("input") ? s["input"].toString() : s["commit"].toString());
        if (focus)
            QApplication::sendEvent(focus, &commit);
    } else if (s.contains("list")) {
        dropFile(window, root + QLatin1Char('/') + s["list"].toString());
    } else {
        return false;
    }
    return true;
}

}  // namespace galgen::testing
