// SPDX-License-Identifier: GPL-3.0-or-later
// The shared table of cases (tests/cases/form_cases.json) on the Qt engine:
// Form1 in a real window on the offscreen platform, played with real mouse
// and key events and input-method events, each case from a fresh window.
// What every engine must give is in the table; this file only says how the
// desktop's hands and eyes do each step.
#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
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
    void expect(const QJsonObject& want);
    QWidget* widget(const QString& name) const;

    ScriptedRandom random_;
    std::unique_ptr<form::Form> form_;
    std::unique_ptr<KeyLoggingEngine> log_;
    std::unique_ptr<Form1> form1_;
    QStringList errors_;
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
    errors_.clear();
    form_ = std::make_unique<form::Form>(form1Layout(), pictureFolder);
    form_->engine().setErrorReporter([this](const RuntimeError& e) { errors_ << QString::fromUtf8(e.what()); });
    log_ = std::make_unique<KeyLoggingEngine>(form_->engine());
    form1_ = std::make_unique<Form1>(*log_, random_);
    form_->load();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    run(steps);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join('\n')));
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
    if (playAction(*form_, s, QStringLiteral(GALGEN_SOURCE_DIR)))
        return;
    if (s.contains("draw")) {
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
    if (want.contains("error")) {
        QCOMPARE(errors_.size(), 1);
        QVERIFY2(errors_.front().startsWith(want["error"].toString()), qPrintable(errors_.front()));
        errors_.clear();
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
