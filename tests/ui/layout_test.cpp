// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's layout, captions, initial states, fonts and hints in both locales.
#include "formfixture.h"
#include "platform/timezone.h"
#include "ui/qt/ratebutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

class LayoutTest : public QObject {
    Q_OBJECT

    SimWaveService service{{Device("Line In")}, {Device("Speakers")}};

private slots:
    void init() { ClearSettings(); }

    void windowFrame()
    {
        TestFrame frame;
        auto form = CreateForm(service, frame);
        QCOMPARE(form->windowTitle(), QStringLiteral("Phonoduct"));
        QCOMPARE(form->size(), QSize(219, 231));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        const Qt::WindowFlags flags = form->windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowSystemMenuHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(form->windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
        QVERIFY(form->isVisible());
        QCOMPARE(form->focusWidget(), form->InButton);
    }

    void controlsAsTabulated()
    {
        TestFrame frame;
        auto form = CreateForm(service, frame);
        struct Row {
            QWidget* control;
            QRect geometry;
            QString caption;
        };
        const Row rows[] = {
            {form->ComboBox1, {8, 40, 201, 20}, {}},
            {form->ComboBox2, {8, 88, 201, 20}, {}},
            {form->RB4410, {9, 136, 65, 17}, "44.1KHz"},
            {form->RB2205, {9, 156, 73, 17}, "22.05KHz"},
            {form->RB1102, {9, 176, 65, 17}, "11KHz"},
            {form->CB_16bit, {109, 137, 63, 17}, "16 bits"},
            {form->CB_Stereo, {109, 175, 60, 17}, "Stereo"},
            {form->Bufset, {198, 120, 17, 113}, {}},
            {form->InButton, {5, 206, 92, 19}, "Start"},
            {form->AboutButton, {102, 206, 79, 19}, "About"},
            {form->Panel1, {8, 16, 89, 20}, "Output Device"},
            {form->Panel2, {8, 64, 89, 20}, "Input Device"},
            {form->RadioGroup1, {0, 120, 97, 81}, "Sampling Rate"},
            {form->GroupBox1, {0, 0, 217, 113}, "Wave Device Select"},
            {form->RadioGroup2, {101, 120, 92, 81}, "Bits && Stereo"},
        };
        for (const Row& row : rows) {
            QCOMPARE(row.control->parentWidget(), form.get());
            QCOMPARE(row.control->geometry(), row.geometry);
            QString caption;
            if (auto* button = qobject_cast<QAbstractButton*>(row.control))
                caption = button->text();
            else if (auto* label = qobject_cast<QLabel*>(row.control))
                caption = label->text();
            else if (auto* group = qobject_cast<QGroupBox*>(row.control))
                caption = group->title();
            QCOMPARE(caption, row.caption);
        }
        // The doubled ampersand shows as one and makes no accelerator.
        QVERIFY(QKeySequence::mnemonic(form->RadioGroup2->title()).isEmpty());
    }

    void tabOrderAndFocus()
    {
        TestFrame frame;
        auto form = CreateForm(service, frame);
        const QList<QWidget*> order = {form->ComboBox1, form->ComboBox2, form->RB4410,
                                       form->RB2205,    form->RB1102,    form->CB_16bit,
                                       form->CB_Stereo, form->Bufset,    form->InButton,
                                       form->AboutButton};
        for (qsizetype i = 1; i < order.size(); ++i)
            QCOMPARE(order[i - 1]->nextInFocusChain(), order[i]);
        const QList<QWidget*> frames = {form->Panel1, form->Panel2, form->RadioGroup1,
                                        form->GroupBox1, form->RadioGroup2};
        for (QWidget* frameOnly : frames)
            QCOMPARE(frameOnly->focusPolicy(), Qt::NoFocus);
        QVERIFY(!form->ComboBox1->testAttribute(Qt::WA_InputMethodEnabled));
    }

    void initialStates()
    {
        TestFrame frame;
        auto form = CreateForm(service, frame);
        QVERIFY(form->RB4410->isChecked());
        QVERIFY(!form->RB2205->isChecked() && !form->RB1102->isChecked());
        QVERIFY(form->CB_16bit->isChecked() && form->CB_Stereo->isChecked());
        QCOMPARE(form->Bufset->orientation(), Qt::Vertical);
        QVERIFY(form->Bufset->invertedAppearance());  // the minimum at the top end
        QCOMPARE(form->Bufset->minimum(), 0);
        QCOMPARE(form->Bufset->maximum(), 9);
        QCOMPARE(form->Bufset->value(), 7);
        QCOMPARE(form->Bufset->singleStep(), 1);
        QCOMPARE(form->Bufset->pageStep(), 2);
        QCOMPARE(form->Bufset->tickPosition(), QSlider::TicksRight);
        QCOMPARE(form->Bufset->toolTip(), QStringLiteral("BufferSize(0.5[sec])"));
        QVERIFY(form->InButton->isEnabled() && form->AboutButton->isEnabled());
    }

    // Outside the Japanese zone: "Times New Roman" at 9 points everywhere but the slider,
    // found on the system.
    void westernLocale()
    {
        TestFrame frame;
        auto form = CreateForm(service, frame);
        for (QWidget* control : FontControls(*form)) {
            QCOMPARE(control->font().family(), QStringLiteral("Times New Roman"));
            QCOMPARE(control->font().pointSize(), 9);
            QCOMPARE(QFontInfo(control->font()).family(), QStringLiteral("Liberation Serif"));
            QCOMPARE(QFontInfo(control->font()).pixelSize(), 12);
        }
    }

    void japaneseLocale()
    {
        // "東京" in Shift-JIS, as the zone name of a Japanese system carries it.
        const StandardZoneNameReader system = ReadStandardZoneName;
        ReadStandardZoneName = [](std::string& name) {
            name = "\x93\x8c\x8b\x9e (standard)";
            return true;
        };
        TestFrame frame;
        auto form = CreateForm(service, frame);
        ReadStandardZoneName = system;
        QCOMPARE(form->AboutButton->toolTip(), QStringLiteral("このプログラムについて・・・"));
        for (QWidget* control : FontControls(*form)) {
            QCOMPARE(control->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
            QCOMPARE(control->font().pointSize(), 9);
            QCOMPARE(QFontInfo(control->font()).family(), QStringLiteral("IPAPGothic"));
        }
        // The wider face still fits every option's caption into the control's width.
        for (QAbstractButton* option : OptionControls(*form)) {
            QStyleOptionButton style;
            style.initFrom(option);
            style.text = option->text();
            const auto element = qobject_cast<QRadioButton*>(option) ? QStyle::SE_RadioButtonContents
                                                                     : QStyle::SE_CheckBoxContents;
            const QRect contents = option->style()->subElementRect(element, &style, option);
            QVERIFY2(contents.width() >= option->fontMetrics().horizontalAdvance(option->text()),
                     qPrintable(option->text()));
        }
        QCOMPARE(form->Bufset->toolTip(), QStringLiteral("BufferSize(0.5[sec])"));
    }

private:
    static QList<QWidget*> FontControls(QtDuctForm& f)
    {
        return {f.ComboBox1, f.ComboBox2, f.Panel1,    f.Panel2,    f.InButton,
                f.RadioGroup1, f.RadioGroup2, f.RB4410, f.RB2205,  f.RB1102,
                f.GroupBox1, f.AboutButton, f.CB_16bit, f.CB_Stereo};
    }
    static QList<QAbstractButton*> OptionControls(QtDuctForm& f)
    {
        return {f.RB4410, f.RB2205, f.RB1102, f.CB_16bit, f.CB_Stereo};
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
