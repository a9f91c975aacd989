// SPDX-License-Identifier: GPL-3.0-or-later
// The main window carries its description: the window, and each control's geometry, caption,
// initial state, font and place in the tab order as made; the enabled states after Start and
// Stop; the hints and fonts of the locale step in both locales.
#include "formfixture.h"
#include "platform/timezone.h"
#include "ui/description.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

namespace {

QString Caption(const QWidget* control)
{
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (auto* group = qobject_cast<const QGroupBox*>(control))
        return group->title();
    return {};
}

bool TakesFocus(ControlKind kind)
{
    return kind != ControlKind::panelLabel && kind != ControlKind::frame;
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

    SimWaveService service{{Device("Line In")}, {Device("Speakers")}};

private slots:
    void init() { ClearSettings(); }

    void windowFrame()
    {
        TestFrame frame;
        auto form = CreateForm(service, frame);
        QCOMPARE(form->windowTitle(), QString::fromUtf8(MainWindow.caption));
        QCOMPARE(form->size(), QSize(MainWindow.rect.width, MainWindow.rect.height));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        const Qt::WindowFlags flags = form->windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowSystemMenuHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(form->windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
        QVERIFY(form->isVisible());
        QCOMPARE(form->focusWidget(), form->StartButton());
    }

    // As made, before the creation sequence.
    void controlsAsDescribed()
    {
        TestFrame frame;
        QtDuctForm form(service, frame);
        QWidget* previous = nullptr;
        for (const ControlDescription& d : MainControls) {
            QWidget* control = form.Widget(d.role);
            QCOMPARE(control->parentWidget(), &form);
            QCOMPARE(control->objectName(), QString::fromUtf8(d.name));
            QCOMPARE(control->geometry(),
                     QRect(d.rect.left, d.rect.top, d.rect.width, d.rect.height));
            QCOMPARE(Caption(control), QString::fromUtf8(d.caption));
            auto* option = qobject_cast<QAbstractButton*>(control);
            if (option && option->isCheckable())
                QCOMPARE(option->isChecked(), d.checked);
            QVERIFY(control->isEnabled());
            const FontDescription& font = d.font.face ? d.font : MainWindow.font;
            QCOMPARE(control->font().family(), QString::fromUtf8(font.face));
            QCOMPARE(control->font().pixelSize(), font.pixels);
            if (d.inputMethodOff)
                QVERIFY(!control->testAttribute(Qt::WA_InputMethodEnabled));
            QCOMPARE(control->focusPolicy() != Qt::NoFocus, TakesFocus(d.kind));
            if (!TakesFocus(d.kind))
                continue;
            if (previous)
                QCOMPARE(previous->nextInFocusChain(), control);
            previous = control;
        }
        // The doubled ampersand shows as one and makes no accelerator.
        QVERIFY(QKeySequence::mnemonic(Caption(form.Widget(Control::formGroup))).isEmpty());

        const QSlider* slider = form.BlockLength();
        QCOMPARE(slider->orientation(), Qt::Vertical);
        QVERIFY(slider->invertedAppearance());  // the minimum at the top end
        QCOMPARE(slider->minimum(), BlockLengthSlider.minimum);
        QCOMPARE(slider->maximum(), BlockLengthSlider.maximum);
        QCOMPARE(slider->value(), BlockLengthSlider.position);
        QCOMPARE(slider->singleStep(), BlockLengthSlider.lineStep);
        QCOMPARE(slider->pageStep(), BlockLengthSlider.pageStep);
        QCOMPARE(slider->tickInterval(), BlockLengthSlider.tickStep);
        QCOMPARE(slider->tickPosition(), QSlider::TicksRight);
    }

    // What the form decides, the controls show: the devices and the format locked while
    // relaying, all open again after Stop.
    void enabledAfterStartAndStop()
    {
        TestFrame frame;
        auto form = CreateForm(service, frame);
        const auto locked = [&] {
            QStringList names;
            for (const ControlDescription& d : MainControls)
                if (!form->Widget(d.role)->isEnabled())
                    names << QString::fromUtf8(d.name);
            return names;
        };
        const std::pair<const char*, QStringList> presses[] = {
            {"Stop", {"outputList", "inputList", "rate44100", "rate22050", "rate11025",
                      "sixteenBits", "stereo", "blockLength"}},
            {"Close", {}}};
        for (const auto& [caption, expected] : presses) {
            QTest::mouseClick(form->StartButton(), Qt::LeftButton);
            DeliverNotifications();
            QCOMPARE(form->StartButton()->text(), QString::fromLatin1(caption));
            QCOMPARE(locked(), expected);
        }
    }

    // Hints only in the Japanese zone, and its face or "Times New Roman" at 9 points on every
    // control with a text; the slider's hint is its block length everywhere.
    void localeStep_data()
    {
        QTest::addColumn<bool>("japanese");
        QTest::addColumn<QString>("face");
        QTest::newRow("elsewhere") << false << QStringLiteral("Liberation Serif");
        QTest::newRow("Japanese zone") << true << QStringLiteral("IPAPGothic");
    }

    void localeStep()
    {
        QFETCH(bool, japanese);
        QFETCH(QString, face);
        // "東京" in Shift-JIS, as the zone name of a Japanese system carries it.
        const StandardZoneNameReader system = ReadStandardZoneName;
        if (japanese)
            ReadStandardZoneName = [](std::string& name) {
                name = "\x93\x8c\x8b\x9e (standard)";
                return true;
            };
        TestFrame frame;
        auto form = CreateForm(service, frame);
        ReadStandardZoneName = system;
        for (const ControlDescription& d : MainControls) {
            const QWidget* control = form->Widget(d.role);
            if (d.role == Control::blockLength)
                QCOMPARE(control->toolTip(), QStringLiteral("BufferSize(0.5[sec])"));
            else if (japanese && d.japaneseHint)
                QCOMPARE(control->toolTip(), QString::fromUtf8(d.japaneseHint));
            else
                QVERIFY2(control->toolTip().isEmpty(), d.name);
            if (!d.font.face)
                continue;
            QCOMPARE(control->font().family(),
                     QString::fromUtf8(japanese ? JapaneseFace : WesternFace));
            QCOMPARE(control->font().pointSize(), 9);
            QCOMPARE(QFontInfo(control->font()).family(), face);
            QCOMPARE(QFontInfo(control->font()).pixelSize(), 12);
            // Even the wider face fits every option's caption into the control's width.
            auto* option = qobject_cast<const QAbstractButton*>(control);
            if (!option || !option->isCheckable())
                continue;
            QStyleOptionButton style;
            style.initFrom(option);
            style.text = option->text();
            const auto element = d.kind == ControlKind::rateButton ? QStyle::SE_RadioButtonContents
                                                                   : QStyle::SE_CheckBoxContents;
            const QRect contents = option->style()->subElementRect(element, &style, option);
            QVERIFY2(contents.width() >= option->fontMetrics().horizontalAdvance(option->text()),
                     d.name);
        }
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
