// SPDX-License-Identifier: GPL-3.0-or-later
// Device lists and option availability: the entries and their device numbers, the error
// boxes of failing capability queries, and which options the two devices leave open.
#include "formfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTest>

namespace {

QStringList Entries(const QComboBox* list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    return entries;
}

// The user picks an entry of a list.
void Choose(QComboBox* list, int index)
{
    list->setCurrentIndex(index);
    emit list->activated(index);
}

struct Options {
    bool rb4410, rb2205, rb1102, bits16, stereo;
};

template <typename State>
Options Read(const QtDuctForm& f, State state)
{
    const auto of = [&](Option option) { return (f.OptionButton(option)->*state)(); };
    return {of(Option::rate44100), of(Option::rate22050), of(Option::rate11025),
            of(Option::sixteenBits), of(Option::stereo)};
}

Options Checked(const QtDuctForm& f)
{
    return Read(f, &QAbstractButton::isChecked);
}

Options Enabled(const QtDuctForm& f)
{
    return Read(f, &QWidget::isEnabled);
}

bool operator==(const Options& a, const Options& b)
{
    return a.rb4410 == b.rb4410 && a.rb2205 == b.rb2205 && a.rb1102 == b.rb1102 &&
           a.bits16 == b.bits16 && a.stereo == b.stereo;
}

char* toString(const Options& o)
{
    return qstrdup(QStringLiteral("44.1:%1 22.05:%2 11:%3 16bit:%4 stereo:%5")
                       .arg(o.rb4410).arg(o.rb2205).arg(o.rb1102).arg(o.bits16).arg(o.stereo)
                       .toUtf8()
                       .constData());
}

constexpr DWORD Rate11 = 0x00F, Rate22 = 0x0F0, Rate44 = 0xF00;
constexpr DWORD Mono22 = WAVE_FORMAT_2M08 | WAVE_FORMAT_2M16;

}  // namespace

class OptionsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ClearSettings(); }

    void twoDevicesInNumberOrder()
    {
        SimWaveService service({Device("Mic A"), Device("Mic B")},
                               {Device("Speakers A"), Device("Speakers B")});
        TestFrame frame;
        auto form = CreateForm(service, frame);
        QCOMPARE(Entries(form->List(DeviceList::outputList)),
                 (QStringList{"Wave Mapper", "Speakers A", "Speakers B"}));
        QCOMPARE(Entries(form->List(DeviceList::inputList)),
                 (QStringList{"Wave Mapper", "Mic A", "Mic B"}));
        QCOMPARE(form->List(DeviceList::outputList)->currentIndex(), 0);
        QCOMPARE(form->Form.Engine.OutDevice(), -1);
        Choose(form->List(DeviceList::outputList), 2);
        QCOMPARE(form->Form.Engine.OutDevice(), 1);
        Choose(form->List(DeviceList::inputList), 1);
        QCOMPARE(form->Form.Engine.InDevice(), 0);
        Choose(form->List(DeviceList::outputList), 0);
        QCOMPARE(form->Form.Engine.OutDevice(), -1);
    }

    // With no device the mapper's query fails: its box is shown and nothing is offered.
    void noDevices()
    {
        SimWaveService service({}, {});
        TestFrame frame;
        MessageBoxCloser closer;
        auto form = CreateForm(service, frame);
        QCOMPARE(Entries(form->List(DeviceList::outputList)), QStringList{"Wave Mapper"});
        QCOMPARE(Entries(form->List(DeviceList::inputList)), QStringList{"Wave Mapper"});
        QCOMPARE(form->List(DeviceList::inputList)->currentIndex(), 0);
        QCOMPARE(closer.boxes.size(), std::size_t{2});
        QCOMPARE(closer.boxes[0].caption, QStringLiteral("WaveOutGetDevCaps"));
        QCOMPARE(closer.boxes[1].caption, QStringLiteral("WaveInGetDevCaps"));
        QVERIFY(!closer.boxes[0].text.isEmpty());
        QCOMPARE(Enabled(*form), (Options{false, false, false, true, true}));
        QCOMPARE(Checked(*form), (Options{false, false, false, true, true}));
    }

    // A device whose capabilities cannot be read gets no entry, and the entries after it
    // still reach their own devices.
    void failingDeviceLeavesNoGap()
    {
        SimWaveService service({Device("Mic")},
                               {Device("Out 0"), Device("Out 1"), Device("Out 2", Rate22)});
        service.Fail(SimSide::Out, SimOp::GetDevCaps, 2, MMSYSERR_NOMEM);
        TestFrame frame;
        auto form = CreateForm(service, frame);
        QCOMPARE(Entries(form->List(DeviceList::outputList)),
                 (QStringList{"Wave Mapper", "Out 0", "Out 2"}));
        Choose(form->List(DeviceList::outputList), 2);
        QCOMPARE(form->Form.Engine.OutDevice(), 2);
        QVERIFY(!form->OptionButton(Option::rate44100)->isEnabled());
        QVERIFY(form->OptionButton(Option::rate22050)->isEnabled());
    }

    // A later failure of the selected device's query shows its box and keeps the old record.
    void failingSelectionShowsBox()
    {
        SimWaveService service({Device("Mic")}, {Device("Out 0", Rate44), Device("Out 1")});
        TestFrame frame;
        auto form = CreateForm(service, frame);
        service.Fail(SimSide::Out, SimOp::GetDevCaps, 0, MMSYSERR_NODRIVER);
        MessageBoxCloser closer;
        Choose(form->List(DeviceList::outputList), 1);
        QCOMPARE(closer.boxes.size(), std::size_t{1});
        QCOMPARE(closer.boxes[0].caption, QStringLiteral("WaveOutGetDevCaps"));
        QCOMPARE(form->Form.Engine.OutDevice(), 0);
    }

    // The checked rate is not shared: it is cleared and disabled, no other rate is chosen
    // and the check boxes keep their states.
    void rateNotShared()
    {
        SimWaveService service({Device("Mic")},
                               {Device("All"), Device("No 44.1", Rate11 | Rate22)});
        TestFrame frame;
        auto form = CreateForm(service, frame);
        Choose(form->List(DeviceList::outputList), 2);
        QCOMPARE(Checked(*form), (Options{false, false, false, true, true}));
        QCOMPARE(Enabled(*form), (Options{false, true, true, true, true}));
        form->Form.ApplyCaps();
        QCOMPARE(Checked(*form), (Options{false, false, false, true, true}));
        QCOMPARE(Enabled(*form), (Options{false, true, true, true, true}));
        // Back on a device with 44.1 kHz: enabled again, but not checked again.
        Choose(form->List(DeviceList::outputList), 1);
        QCOMPARE(Checked(*form), (Options{false, false, false, true, true}));
        QCOMPARE(Enabled(*form), (Options{true, true, true, true, true}));
    }

    // Stereo cleared at a rate without it; a rate that allows it enables it, unchecked.
    void stereoClearedThenAllowed()
    {
        SimWaveService service({Device("Mic")}, {Device("Mono at 22", Mono22 | Rate44)});
        TestFrame frame;
        auto form = CreateForm(service, frame);
        QTest::mouseClick(form->OptionButton(Option::rate22050), Qt::LeftButton);
        QCOMPARE(Checked(*form), (Options{false, true, false, true, false}));
        QCOMPARE(Enabled(*form), (Options{true, true, false, true, false}));
        QTest::mouseClick(form->OptionButton(Option::rate44100), Qt::LeftButton);
        QCOMPARE(Checked(*form), (Options{true, false, false, true, false}));
        QCOMPARE(Enabled(*form), (Options{true, true, false, true, true}));
    }

    // A click on the rate that is checked already runs nothing; a check box always does.
    void clickOnCheckedRateRunsNothing()
    {
        SimWaveService service({Device("Mic")}, {Device("Out", Rate44)});
        TestFrame frame;
        auto form = CreateForm(service, frame);
        // Enable a rate the device lacks behind the window's back: a handler run disables it.
        form->OptionButton(Option::rate11025)->setEnabled(true);
        QTest::mouseClick(form->OptionButton(Option::rate44100), Qt::LeftButton);
        QVERIFY(form->OptionButton(Option::rate44100)->isChecked());
        QVERIFY(form->OptionButton(Option::rate11025)->isEnabled());
        QTest::mouseClick(form->OptionButton(Option::stereo), Qt::LeftButton);
        QVERIFY(form->OptionButton(Option::rate44100)->isChecked());
        QVERIFY(!form->OptionButton(Option::rate11025)->isEnabled());
    }

    // Stored options that the selected devices support survive the window's creation.
    void storedOptionsApplied()
    {
        SimWaveService service({Device("Mic")}, {Device("Out")});
        {
            TestFrame frame;
            auto form = CreateForm(service, frame);
            QTest::mouseClick(form->OptionButton(Option::rate11025), Qt::LeftButton);
            QTest::mouseClick(form->OptionButton(Option::stereo), Qt::LeftButton);
            form->SetBlockLengthPosition(0);
            Choose(form->List(DeviceList::outputList), 1);
        }
        TestFrame frame;
        auto form = CreateForm(service, frame);
        QCOMPARE(Checked(*form), (Options{false, false, true, true, false}));
        QCOMPARE(form->List(DeviceList::outputList)->currentText(), QStringLiteral("Out"));
        QCOMPARE(form->Form.Engine.OutDevice(), 0);
        QCOMPARE(form->BlockLength()->toolTip(), QStringLiteral("BufferSize(1.2[sec])"));
    }

    // The rate buttons are one tab stop, at the checked one, whichever was stored.
    void tabReachesCheckedRate_data()
    {
        QTest::addColumn<int>("stored");
        QTest::newRow("22.05 kHz") << 1;
        QTest::newRow("11 kHz") << 2;
        QTest::newRow("none shared") << -1;
    }

    void tabReachesCheckedRate()
    {
        QFETCH(int, stored);
        SimWaveService service({Device("Mic")}, {Device("Out", stored < 0 ? 0 : 0xFFF)});
        if (stored >= 0) {
            TestFrame frame;
            auto form = CreateForm(service, frame);
            QTest::mouseClick(RateButtons(*form)[stored], Qt::LeftButton);
        }
        TestFrame frame;
        auto form = CreateForm(service, frame);
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->List(DeviceList::inputList)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (stored >= 0) {
            QCOMPARE(QApplication::focusWidget(), RateButtons(*form)[stored]);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), form->OptionButton(Option::sixteenBits));
    }

    // The arrows check the next enabled rate, around the group, and run its handler.
    void arrowsCheckTheNextRate()
    {
        SimWaveService service({Device("Mic")}, {Device("Out", Rate44 | Mono22)});
        TestFrame frame;
        auto form = CreateForm(service, frame);
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->OptionButton(Option::rate44100)->setFocus();
        QTest::keyClick(form->OptionButton(Option::rate44100), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), form->OptionButton(Option::rate22050));
        // is2205 ran: no stereo at 22.05 kHz.
        QCOMPARE(Checked(*form), (Options{false, true, false, true, false}));
        QVERIFY(!form->OptionButton(Option::stereo)->isEnabled());
        QTest::keyClick(form->OptionButton(Option::rate22050), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), form->OptionButton(Option::rate44100));
        QCOMPARE(Checked(*form), (Options{true, false, false, true, false}));
        QVERIFY(form->OptionButton(Option::stereo)->isEnabled());
        QTest::keyClick(form->OptionButton(Option::rate44100), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), form->OptionButton(Option::rate22050));
        QVERIFY(form->OptionButton(Option::rate22050)->isChecked());
    }

private:
    static std::array<QAbstractButton*, 3> RateButtons(const QtDuctForm& f)
    {
        return {f.OptionButton(Option::rate44100), f.OptionButton(Option::rate22050),
                f.OptionButton(Option::rate11025)};
    }
};

QTEST_MAIN(OptionsTest)
#include "options_test.moc"
