// SPDX-License-Identifier: GPL-3.0-or-later
// The option controls as the Qt window takes the user's mouse and keys: a click on the
// checked rate runs nothing, the rate group is one tab stop, the arrows move the check.
#include "formfixture.h"

#include <QApplication>
#include <QAbstractButton>
#include <QComboBox>
#include <QTest>

#include <array>

namespace {

struct Options {
    bool rb4410, rb2205, rb1102, bits16, stereo;
};

Options Checked(const QtDuctForm& f)
{
    const auto checked = [&](Option option) { return f.OptionButton(option)->isChecked(); };
    return {checked(Option::rate44100), checked(Option::rate22050), checked(Option::rate11025),
            checked(Option::sixteenBits), checked(Option::stereo)};
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

constexpr DWORD Rate44 = 0xF00;
constexpr DWORD Mono22 = WAVE_FORMAT_2M08 | WAVE_FORMAT_2M16;

}  // namespace

class OptionsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ClearSettings(); }

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
