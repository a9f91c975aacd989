// SPDX-License-Identifier: GPL-3.0-or-later
// The main window and its controls, made from the window description.
#include "ui/qt/qtductform.h"

#include "ui/description.h"
#include "ui/qt/icon.h"
#include "ui/qt/optionstyle.h"
#include "ui/qt/ratebutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace {

QFont PixelFont(const FontDescription& description)
{
    QFont font(QString::fromUtf8(description.face));
    font.setPixelSize(description.pixels);
    return font;
}

QLabel* PanelLabel(QWidget* parent, const QString& caption)
{
    auto* panel = new QLabel(caption, parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setAlignment(Qt::AlignCenter);
    panel->setBackgroundRole(QPalette::Button);
    panel->setAutoFillBackground(true);
    return panel;
}

QGroupBox* Frame(QWidget* parent, const QString& caption)
{
    auto* frame = new QGroupBox(caption, parent);
    // The frames only group visually: the controls drawn inside are the window's own
    // children and must stay above the frames to get their clicks.
    frame->lower();
    return frame;
}

QSlider* Slider(QWidget* parent)
{
    const SliderDescription& d = BlockLengthSlider;
    auto* slider = new QSlider(Qt::Vertical, parent);
    // The minimum at the top, and the down keys move towards the bottom end.
    slider->setInvertedAppearance(true);
    slider->setInvertedControls(true);
    slider->setRange(d.minimum, d.maximum);
    slider->setValue(d.position);
    slider->setTickPosition(QSlider::TicksRight);
    slider->setTickInterval(d.tickStep);
    slider->setSingleStep(d.lineStep);
    slider->setPageStep(d.pageStep);
    return slider;
}

}  // namespace

void QtDuctForm::CreateControls()
{
    setWindowTitle(QString::fromUtf8(MainWindow.caption));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(MainWindow.rect.width, MainWindow.rect.height);
    move(MainWindow.rect.left, MainWindow.rect.top);
    setFont(PixelFont(MainWindow.font));
    setWindowIcon(ProgramIcon());

    for (const ControlDescription& d : MainControls)
        widgets[static_cast<std::size_t>(d.role)] = CreateControl(d);

    // Made after the controls, so that it outlives them.
    auto* optionStyle = new OptionStyle;
    optionStyle->setParent(this);
    for (Option option : {Option::rate44100, Option::rate22050, Option::rate11025,
                          Option::sixteenBits, Option::stereo})
        OptionButton(option)->setStyle(optionStyle);

    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

QWidget* QtDuctForm::CreateControl(const ControlDescription& d)
{
    const QString caption = QString::fromUtf8(d.caption);
    QWidget* widget = nullptr;
    switch (d.kind) {
    case ControlKind::deviceList: widget = new QComboBox(this); break;
    case ControlKind::rateButton: widget = new RateButton(caption, this); break;
    case ControlKind::checkBox: widget = new QCheckBox(caption, this); break;
    case ControlKind::slider: widget = Slider(this); break;
    case ControlKind::pushButton: widget = new QPushButton(caption, this); break;
    case ControlKind::panelLabel: widget = PanelLabel(this, caption); break;
    case ControlKind::frame: widget = Frame(this, caption); break;
    }
    widget->setObjectName(QString::fromUtf8(d.name));
    widget->setGeometry(d.rect.left, d.rect.top, d.rect.width, d.rect.height);
    if (d.font.face)
        widget->setFont(PixelFont(d.font));
    if (d.checked)
        static_cast<QAbstractButton*>(widget)->setChecked(true);
    if (d.inputMethodOff)
        widget->setAttribute(Qt::WA_InputMethodEnabled, false);
    return widget;
}
