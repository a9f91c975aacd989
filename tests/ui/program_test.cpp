// The program's end: "Close" and the window's close box both stop the relay, save the
// settings and end with exit code 0.
#include "formfixture.h"

#include <QProcess>
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
            << QStringList{"relaying: yes", "capture closed, settings saved already: no",
                           "caption: Close"};
        QTest::newRow("close box during relay")
            << "close-window"
            << QStringList{"relaying: yes", "loop ended",
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
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
