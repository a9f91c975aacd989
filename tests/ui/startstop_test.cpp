// SPDX-License-Identifier: GPL-3.0-or-later
// The Start/Stop button from the keyboard, and the slider's keys and hint, as the Qt window
// takes them.
#include "formfixture.h"

#include <QApplication>
#include <QPushButton>
#include <QSlider>
#include <QTest>

class StartStopTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ClearSettings(); }

    // The keyboard never traps: Space and Return press the focused button, and after each
    // press the focus is back on it, although it was disabled while the press ran.
    void keyboardPressesAndKeepsFocus()
    {
        SimWaveService service({Device("Mic")}, {Device("Speakers")});
        TestFrame frame;
        auto form = CreateForm(service, frame);
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(QApplication::focusWidget(), form->StartButton());
        const std::pair<Qt::Key, const char*> presses[] = {{Qt::Key_Space, "Stop"},
                                                           {Qt::Key_Return, "Close"}};
        for (const auto& [key, caption] : presses) {
            QTest::keyClick(QApplication::focusWidget(), key);
            DeliverNotifications();
            QCOMPARE(form->StartButton()->text(), QString::fromLatin1(caption));
            QCOMPARE(QApplication::focusWidget(), form->StartButton());
        }
        QVERIFY(!frame.about.isVisible());
        form->AboutButton()->setFocus();
        QTest::keyClick(form->AboutButton(), Qt::Key_Return);
        QVERIFY(frame.about.isVisible());
    }

    void sliderHint_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("hint");
        QTest::newRow("top") << int(Qt::Key_Home) << 0 << "BufferSize(1.2[sec])";
        QTest::newRow("bottom") << int(Qt::Key_End) << 9 << "BufferSize(0.3[sec])";
        QTest::newRow("line down") << int(Qt::Key_Down) << 8 << "BufferSize(0.4[sec])";
        QTest::newRow("line up") << int(Qt::Key_Up) << 6 << "BufferSize(0.6[sec])";
        QTest::newRow("page up") << int(Qt::Key_PageUp) << 5 << "BufferSize(0.7[sec])";
    }

    void sliderHint()
    {
        QFETCH(int, key);
        QFETCH(int, position);
        QFETCH(QString, hint);
        SimWaveService service({Device("Mic")}, {Device("Speakers")});
        TestFrame frame;
        auto form = CreateForm(service, frame);
        QTest::keyClick(form->BlockLength(), Qt::Key(key));
        QCOMPARE(form->BlockLength()->value(), position);
        QCOMPARE(form->BlockLength()->toolTip(), hint);
    }
};

QTEST_MAIN(StartStopTest)
#include "startstop_test.moc"
