// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/qtductform.h"

#include "ui/qt/faces.h"
#include "ui/qt/ratebutton.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QSlider>

QtDuctForm::QtDuctForm(WaveService& service, ProgramFrame& frame)
    : Form(service, *this, frame), target(*this)
{
    MapWindowsFaceNames();
    CreateControls();
    // Return presses the focused push button, as Space does; outside a dialog only a
    // button that is its own default takes Return.
    InButton->setAutoDefault(true);
    AboutButton->setAutoDefault(true);
    ConnectHandlers();
}

QtDuctForm::~QtDuctForm()
{
    Form.FormOnDestroy();
    target.Detach();
}

void QtDuctForm::ConnectHandlers()
{
    connect(ComboBox1, &QComboBox::activated, this, [this] { Form.BoxOnChange(); });
    connect(ComboBox2, &QComboBox::activated, this, [this] { Form.Box2OnChange(); });
    for (RateButton* button : {RB4410, RB2205, RB1102})
        connect(button, &QAbstractButton::clicked, this, [this, button] { OnRateClick(button); });
    connect(CB_16bit, &QAbstractButton::clicked, this, [this] { Form.is16bit(); });
    connect(CB_Stereo, &QAbstractButton::clicked, this, [this] { Form.isStereo(); });
    // Positions set by the program block the signal: this is the user moving the slider.
    connect(Bufset, &QAbstractSlider::valueChanged, this, [this] { Form.BufsetChange(); });
    connect(InButton, &QAbstractButton::clicked, this, [this] { Form.InButOnClick(); });
    connect(AboutButton, &QAbstractButton::clicked, this, [this] { Form.AboutOnClick(); });
}

void QtDuctForm::OnRateClick(RateButton* button)
{
    if (!button->ClickChecked())
        return;
    if (button == RB4410)
        Form.is4410();
    else if (button == RB2205)
        Form.is2205();
    else
        Form.is1102();
}

bool QtDuctForm::event(QEvent* event)
{
    if (event->type() != DeviceEvent::Kind)
        return QWidget::event(event);
    Form.Engine.OnMessage(static_cast<DeviceEvent*>(event)->Message());
    return true;
}

void QtDuctForm::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program, whatever other window is still shown.
    event->accept();
    QCoreApplication::quit();
}
