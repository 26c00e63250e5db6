// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line, as a player's shell runs it: the help, a word
// list that cannot be used, and the message that also goes to standard
// error while the window shows it. What a good list does to the game is in
// the table of form cases.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sys/stat.h>

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void helpInGermanAndEnglish();
    void aListThatCannotBeUsedIsReportedOnStandardError_data();
    void aListThatCannotBeUsedIsReportedOnStandardError();
};

namespace {

QProcess* run(const QStringList& arguments)
{
    auto* program = new QProcess;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program->setProcessEnvironment(environment);
    program->setReadChannel(QProcess::StandardError);
    program->start(QStringLiteral(GALGEN_PROGRAM), arguments);
    return program;
}

}  // namespace

void CommandLineTest::helpInGermanAndEnglish()
{
    std::unique_ptr<QProcess> program(run({QStringLiteral("--help")}));
    QVERIFY(program->waitForFinished(10000));
    QCOMPARE(program->exitCode(), 0);
    const QString help = QString::fromUtf8(program->readAllStandardOutput());
    QVERIFY2(help.startsWith(QStringLiteral("Aufruf: galgenmaennchen [WORTLISTE]\n")), qPrintable(help));
    QVERIFY2(help.contains(QStringLiteral("\nUsage: galgenmaennchen [WORDLIST]\n")), qPrintable(help));
    QVERIFY2(help.contains(QStringLiteral("je höchstens 17 Buchstaben")), qPrintable(help));
}

void CommandLineTest::aListThatCannotBeUsedIsReportedOnStandardError_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("fault");
    QTest::newRow("missing") << "/nonexistent/liste.txt" << "Die Datei gibt es nicht.";
    QTest::newRow("a folder") << "/" << "Das ist ein Ordner, keine Datei.";
    QTest::newRow("endless") << "/dev/zero" << "Die Datei ist größer als 1 MB.";
    QTest::newRow("endless and binary") << "/dev/urandom" << "Die Datei ist größer als 1 MB.";
    QTest::newRow("a pipe without a writer") << "pipe" << "Die Datei enthält kein Wort.";
}

// The window stays and shows the message; the test ends the program.
void CommandLineTest::aListThatCannotBeUsedIsReportedOnStandardError()
{
    QFETCH(QString, path);
    QFETCH(QString, fault);
    QTemporaryDir folder;
    if (path == "pipe") {
        path = folder.filePath(path);
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }
    std::unique_ptr<QProcess> program(run({path}));
    const QString ending = QStringLiteral("\nDas Spiel geht mit den bisherigen Wörtern weiter.\n");
    QString errors;
    while (!errors.contains(ending) && program->waitForReadyRead(10000))
        errors += QString::fromUtf8(program->readAllStandardError());
    QCOMPARE(program->state(), QProcess::Running);
    program->kill();
    program->waitForFinished();
    const QString message = "galgenmaennchen: Die Wortliste „" + path + "“ wird nicht verwendet:\n" + fault;
    QVERIFY2(errors.contains(message + ending), qPrintable(errors));
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
