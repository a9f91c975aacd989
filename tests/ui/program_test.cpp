// SPDX-License-Identifier: GPL-3.0-or-later
// The program's end: "Close" and the window's close box both stop the relay, save the
// settings and end with exit code 0; unusable settings end it before anything shows.
#include "formfixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class ProgramTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ClearSettings(); }

    void ends_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("Close button")
            << "close-button"
            << QStringList{"shown: Phonoduct", "relaying: yes",
                           "capture closed, settings saved already: no", "caption: Close"};
        QTest::newRow("close box during relay")
            << "close-window"
            << QStringList{"shown: Phonoduct", "relaying: yes", "loop ended",
                           "capture closed, settings saved already: no"};
    }

    void ends()
    {
        QFETCH(QString, scenario);
        QFETCH(QStringList, expected);
        QProcess program;
        program.start(QStringLiteral(PROGRAM_PROBE), {scenario});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const QStringList lines =
            QString::fromLocal8Bit(program.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines, expected);
        QCOMPARE(StoredBufferPosition(), 2);
    }

    // Settings that can be neither opened nor created end the program at once: exit code
    // 0, no window shown, nothing written.
    void unusableSettings()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QFile blocker(folder.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), blocker.fileName() + "/config");
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(PROGRAM_PROBE), {QStringLiteral("close-button")});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(program.readAllStandardOutput(), QByteArray());
        QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{"file"});
    }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
