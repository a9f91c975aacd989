// SPDX-License-Identifier: GPL-3.0-or-later
// The Start/Stop button through "Start", "Stop" and "Close", the slider and its hint, and
// the window's end during a relay.
#include "formfixture.h"
#include "ui/qt/ratebutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <algorithm>
#include <vector>

namespace {

bool OptionsEnabled(const QtDuctForm& f)
{
    for (Option option : {Option::rate44100, Option::rate22050, Option::rate11025,
                          Option::sixteenBits, Option::stereo})
        if (f.OptionButton(option)->isEnabled())
            return true;
    return false;
}

void Press(QtDuctForm& form)
{
    QTest::mouseClick(form.StartButton(), Qt::LeftButton);
    DeliverNotifications();
}

constexpr SimTime Second = 1'000'000'000;

}  // namespace

class StartStopTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ClearSettings(); }

    void startStopClose()
    {
        SimWaveService service({Device("Mic")}, {Device("Speakers")});
        TestFrame frame;
        auto form = CreateForm(service, frame);
        form->Form.AboutOnClick();
        QVERIFY(frame.about.isVisible());

        Press(*form);
        QCOMPARE(form->StartButton()->text(), QStringLiteral("Stop"));
        QVERIFY(form->StartButton()->isEnabled());
        QVERIFY(form->Form.Engine.CaptureOpen() && form->Form.Engine.PlaybackOpen());
        QVERIFY(!form->BlockLength()->isEnabled());
        QVERIFY(!OptionsEnabled(*form));
        QVERIFY(!form->List(DeviceList::outputList)->isEnabled());
        QVERIFY(!form->List(DeviceList::inputList)->isEnabled());
        QVERIFY(!frame.about.isVisible());

        // The notifications handled on the window's thread relay the mic, byte for byte,
        // behind four blocks of silence.
        for (int step = 0; step < 300; ++step) {
            service.AdvanceTo(service.Now() + Second / 100);
            DeliverNotifications();
        }
        std::vector<BYTE> played;
        for (const SimWaveService::PlayedBlock& block : service.Played())
            played.insert(played.end(), block.bytes.begin(), block.bytes.end());
        const std::size_t preRoll = 4 * form->Form.Engine.BlockLength();
        QVERIFY(played.size() > preRoll);
        std::vector<BYTE> recorded(played.size() - preRoll);
        SimWaveService::PatternSignal(0, recorded.data(), recorded.size());
        QVERIFY(std::equal(recorded.begin(), recorded.end(), played.begin() + preRoll));

        Press(*form);
        QCOMPARE(form->StartButton()->text(), QStringLiteral("Close"));
        QVERIFY(!form->Form.Engine.CaptureOpen() && !form->Form.Engine.PlaybackOpen());
        QVERIFY(form->BlockLength()->isEnabled());
        for (Option option : {Option::rate44100, Option::sixteenBits, Option::stereo})
            QVERIFY(form->OptionButton(option)->isEnabled());
        QVERIFY(form->List(DeviceList::outputList)->isEnabled());
        QVERIFY(form->List(DeviceList::inputList)->isEnabled());
        QVERIFY(form->OptionButton(Option::rate44100)->isChecked());
    }

    // A refused query: its box is shown, the caption and the slider stay, the options stay
    // locked and an open About box stays open.
    void refusedQuery()
    {
        SimWaveService service({Device("Mic")}, {Device("Speakers")});
        service.Fail(SimSide::Out, SimOp::Open, 1, WAVERR_BADFORMAT);
        TestFrame frame;
        auto form = CreateForm(service, frame);
        form->Form.AboutOnClick();
        MessageBoxCloser closer;
        Press(*form);
        QCOMPARE(closer.boxes.size(), std::size_t{1});
        QCOMPARE(closer.boxes[0].caption, QStringLiteral("Out Device Query"));
        QCOMPARE(form->StartButton()->text(), QStringLiteral("Start"));
        QVERIFY(form->StartButton()->isEnabled());
        QVERIFY(form->BlockLength()->isEnabled());
        QVERIFY(!OptionsEnabled(*form));
        QVERIFY(!form->Form.Engine.CaptureOpen() && !form->Form.Engine.PlaybackOpen());
        QVERIFY(frame.about.isVisible());
    }

    // "Close" whose query is refused keeps the program running with the caption "Close".
    void refusedQueryOnClose()
    {
        SimWaveService service({Device("Mic")}, {Device("Speakers")});
        // Calls of the capture open: query and open of the first start, then the query.
        service.Fail(SimSide::In, SimOp::Open, 3, WAVERR_BADFORMAT);
        TestFrame frame;
        auto form = CreateForm(service, frame);
        Press(*form);
        Press(*form);
        MessageBoxCloser closer;
        Press(*form);
        QCOMPARE(closer.boxes.size(), std::size_t{1});
        QCOMPARE(closer.boxes[0].caption, QStringLiteral("In Device Query"));
        QCOMPARE(form->StartButton()->text(), QStringLiteral("Close"));
        QVERIFY(form->StartButton()->isEnabled());
    }

    // The capture device did not open but the playback device did: a press stops.
    void playbackAloneIsStopped()
    {
        SimWaveService service({Device("Mic")}, {Device("Speakers")});
        service.Fail(SimSide::In, SimOp::Open, 2, MMSYSERR_ALLOCATED);
        TestFrame frame;
        auto form = CreateForm(service, frame);
        MessageBoxCloser closer;
        Press(*form);
        QCOMPARE(closer.boxes.size(), std::size_t{1});
        QCOMPARE(form->StartButton()->text(), QStringLiteral("Stop"));
        QVERIFY(!form->Form.Engine.CaptureOpen() && form->Form.Engine.PlaybackOpen());
        Press(*form);
        QCOMPARE(form->StartButton()->text(), QStringLiteral("Close"));
        QVERIFY(!form->Form.Engine.PlaybackOpen());
        QVERIFY(form->BlockLength()->isEnabled());
        QVERIFY(form->List(DeviceList::outputList)->isEnabled());
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

    // Destroying the window during a relay stops it before the settings are written, also
    // when the devices' open notifications are still queued.
    void destroyDuringRelay_data()
    {
        QTest::addColumn<bool>("opened");
        QTest::newRow("relaying") << true;
        QTest::newRow("open notifications queued") << false;
    }

    void destroyDuringRelay()
    {
        QFETCH(bool, opened);
        ClosingService service({Device("Mic")}, {Device("Speakers")}, 2);
        TestFrame frame;
        auto form = CreateForm(service, frame);
        QTest::keyClick(form->BlockLength(), Qt::Key_Home);
        QTest::keyClick(form->BlockLength(), Qt::Key_PageDown);
        QTest::mouseClick(form->StartButton(), Qt::LeftButton);
        if (opened)
            DeliverNotifications();
        QCOMPARE(form->Form.Engine.CaptureOpen(), opened);
        form.reset();
        QVERIFY(service.inClosed);
        QVERIFY(!service.savedAtInClose);
        QCOMPARE(StoredBufferPosition(), 2);
    }
};

QTEST_MAIN(StartStopTest)
#include "startstop_test.moc"
