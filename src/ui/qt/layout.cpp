// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls: names, kinds, geometry, captions, initial states and tab order.
#include "ui/qt/qtductform.h"

#include "ui/qt/icon.h"
#include "ui/qt/optionstyle.h"
#include "ui/qt/ratebutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include <array>

namespace {

QFont PixelFont(const QString& family, int pixels)
{
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

QComboBox* DeviceCombo(QWidget* parent, int top)
{
    auto* list = new QComboBox(parent);
    list->setGeometry(8, top, 201, 20);
    list->setFont(PixelFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));
    return list;
}

QLabel* PanelLabel(QWidget* parent, const QString& caption, int top)
{
    auto* panel = new QLabel(caption, parent);
    panel->setGeometry(8, top, 89, 20);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setAlignment(Qt::AlignCenter);
    panel->setBackgroundRole(QPalette::Button);
    panel->setAutoFillBackground(true);
    return panel;
}

QGroupBox* Frame(QWidget* parent, const QString& caption, const QRect& geometry)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setGeometry(geometry);
    // The frames only group visually: the controls drawn inside are the window's own
    // children and must stay above the frames to get their clicks.
    frame->lower();
    return frame;
}

}  // namespace

void QtDuctForm::CreateControls()
{
    setWindowTitle(QStringLiteral("Phonoduct"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(219, 231);
    move(266, 176);
    setFont(PixelFont(QStringLiteral("Times New Roman"), 12));
    setWindowIcon(ProgramIcon());

    ComboBox1 = DeviceCombo(this, 40);
    ComboBox1->setAttribute(Qt::WA_InputMethodEnabled, false);
    ComboBox2 = DeviceCombo(this, 88);

    RB4410 = new RateButton(QStringLiteral("44.1KHz"), this);
    RB4410->setGeometry(9, 136, 65, 17);
    RB4410->setChecked(true);
    RB2205 = new RateButton(QStringLiteral("22.05KHz"), this);
    RB2205->setGeometry(9, 156, 73, 17);
    RB1102 = new RateButton(QStringLiteral("11KHz"), this);
    RB1102->setGeometry(9, 176, 65, 17);

    CB_16bit = new QCheckBox(QStringLiteral("16 bits"), this);
    CB_16bit->setGeometry(109, 137, 63, 17);
    CB_16bit->setChecked(true);
    CB_Stereo = new QCheckBox(QStringLiteral("Stereo"), this);
    CB_Stereo->setGeometry(109, 175, 60, 17);
    CB_Stereo->setChecked(true);
    // Made after the controls, so that it outlives them.
    auto* optionStyle = new OptionStyle;
    optionStyle->setParent(this);
    const std::array<QAbstractButton*, 5> options = {RB4410, RB2205, RB1102, CB_16bit, CB_Stereo};
    for (QAbstractButton* option : options)
        option->setStyle(optionStyle);

    Bufset = new QSlider(Qt::Vertical, this);
    Bufset->setGeometry(198, 120, 17, 113);
    // Position 0 at the top, and the down keys move towards the bottom end.
    Bufset->setInvertedAppearance(true);
    Bufset->setInvertedControls(true);
    Bufset->setRange(0, 9);
    Bufset->setValue(8);
    Bufset->setTickPosition(QSlider::TicksRight);
    Bufset->setTickInterval(1);
    Bufset->setSingleStep(1);
    Bufset->setPageStep(2);

    InButton = new QPushButton(QStringLiteral("Start"), this);
    InButton->setGeometry(5, 206, 92, 19);
    AboutButton = new QPushButton(QStringLiteral("About"), this);
    AboutButton->setGeometry(102, 206, 79, 19);

    Panel1 = PanelLabel(this, QStringLiteral("Output Device"), 16);
    Panel2 = PanelLabel(this, QStringLiteral("Input Device"), 64);
    RadioGroup1 = Frame(this, QStringLiteral("Sampling Rate"), QRect(0, 120, 97, 81));
    GroupBox1 = Frame(this, QStringLiteral("Wave Device Select"), QRect(0, 0, 217, 113));
    RadioGroup2 = Frame(this, QStringLiteral("Bits && Stereo"), QRect(101, 120, 92, 81));

    QWidget* tabOrder[] = {ComboBox1, ComboBox2, RB4410, RB2205, RB1102, CB_16bit,
                           CB_Stereo, Bufset, InButton, AboutButton};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}
