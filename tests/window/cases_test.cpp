// SPDX-License-Identifier: GPL-3.0-or-later
// The shared table of cases (tests/cases/form_cases.json) on the Qt engine:
// Form1 in a real window on the offscreen platform, played with real mouse
// and key events and input-method events, each case from a fresh window.
// What every engine must give is in the table; this file only says how the
// desktop's hands and eyes do each step.
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <memory>

#include "form.h"
#include "form1.h"
#include "key_log.h"
#include "layout.h"
#include "pictures.h"
#include "screen_probe.h"
#include "scripted_random.h"
#include "widgets.h"
#include "window_actions.h"

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

}  // namespace

class CasesTest : public QObject {
    Q_OBJECT

private slots:
    void cases_data();
    void cases();

private:
    void run(const QJsonArray& steps);
    void step(const QJsonObject& step, int iteration);
    void choose(const QString& path);
    void expect(const QJsonObject& want);
    void settle();
    QList<QMessageBox*> errorsShown() const;
    QWidget* widget(const QString& name) const;

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
    if (playAction(*form_, s, QStringLiteral(GALGEN_SOURCE_DIR))) {
        settle();
        return;
    }
    if (s.contains("choose")) {
        choose(s["choose"].toString().isEmpty() ? QString()
                                                : QStringLiteral(GALGEN_SOURCE_DIR "/") + s["choose"].toString());
    } else if (s.contains("draw")) {
        random_.pushRow(s["draw"].isString() ? iteration : s["draw"].toInt(), form1_->state().wordCount);
    } else if (s.contains("random")) {
        random_.push(float(s["random"].toDouble()));
    } else if (s.contains("early")) {
        // The window is ready from the start: the steps come as any others.
        for (const QJsonValue& inner : s["early"].toArray())
            step(inner.toObject(), iteration);
    } else if (s.contains("expect")) {
        expect(s["expect"].toObject());
    } else {
        QFAIL("a step of a kind the driver does not know");
    }
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
// them; unless the game has ended.
void CasesTest::settle()
{
    QCoreApplication::processEvents();
    if (form_->isVisible() && !QApplication::activePopupWidget() && !form_->findChild<QFileDialog*>()
        && errorsShown().isEmpty())
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
        QCOMPARE(textOf(widget(text.key())), text.value().toString());
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

QTEST_MAIN(CasesTest)
#include "cases_test.moc"
