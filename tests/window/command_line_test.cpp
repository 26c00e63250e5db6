// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line, as a player's shell runs it: the help and the
// version, a command line it cannot take, a word list that cannot be used,
// and the message that also goes to standard error while the window shows
// it. What a good list does to the game is in the table of form cases.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void helpInGermanAndEnglish();
    void answersWithoutADisplay_data();
    void answersWithoutADisplay();
    void aListThatCannotBeUsedIsReportedOnStandardError_data();
    void aListThatCannotBeUsedIsReportedOnStandardError();
};

namespace {

QProcess* run(const QStringList& arguments, bool display = true)
{
    auto* program = new QProcess;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    if (display)
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

// What the command line asks needs no window: the answer comes before the
// toolkit starts, on a machine without a display too.
void CommandLineTest::answersWithoutADisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");
    QTest::newRow("the version") << QStringList{"--version"} << 0 << "galgenmaennchen " GALGEN_VERSION "\n";
    QTest::newRow("an unknown option") << QStringList{"--foo"} << 2
                                       << "galgenmaennchen: unbekannte Option „--foo“ (--help zeigt die Hilfe)\n";
    QTest::newRow("two lists") << QStringList{"a.txt", "-reverse", "b.txt"} << 2
                               << "galgenmaennchen: nur eine Wortliste, bitte (--help zeigt die Hilfe)\n";
    QTest::newRow("an unknown option after Qt's") << QStringList{"-platform", "xcb", "-x"} << 2
                                                  << "galgenmaennchen: unbekannte Option „-x“ (--help zeigt die Hilfe)\n";
}

void CommandLineTest::answersWithoutADisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, output);
    std::unique_ptr<QProcess> program(run(arguments, false));
    QVERIFY(program->waitForFinished(10000));
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(program->exitCode(), status);
    QCOMPARE(QString::fromUtf8(status == 0 ? program->readAllStandardOutput() : program->readAllStandardError()),
             output);
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
    QTest::newRow("a pipe whose writer stays") << "open pipe"
                                               << "Die Datei kommt nicht zu Ende: Sie wird wohl noch geschrieben "
                                                  "(eine Pipe?). Bitte eine fertige Textdatei nehmen.";
}

// The window stays and shows the message; the test ends the program.
void CommandLineTest::aListThatCannotBeUsedIsReportedOnStandardError()
{
    QFETCH(QString, path);
    QFETCH(QString, fault);
    QTemporaryDir folder;
    int writer = -1;
    if (path.endsWith("pipe")) {
        const bool open = path.startsWith("open");
        path = folder.filePath("pipe");
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        // Open for reading too, so that opening does not wait for a reader.
        if (open)
            QVERIFY((writer = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK)) >= 0);
    }
    std::unique_ptr<QProcess> program(run({path}));
    const QString ending = QStringLiteral("\nDas Spiel geht mit den bisherigen Wörtern weiter.\n");
    QString errors;
    while (!errors.contains(ending) && program->waitForReadyRead(10000))
        errors += QString::fromUtf8(program->readAllStandardError());
    QCOMPARE(program->state(), QProcess::Running);
    program->kill();
    program->waitForFinished();
    if (writer >= 0)
        ::close(writer);
    const QString message = "galgenmaennchen: Die Wortliste „" + path + "“ wird nicht verwendet:\n" + fault;
    QVERIFY2(errors.contains(message + ending), qPrintable(errors));
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
