// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/qtductform.h"

#include "ui/qt/faces.h"

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
    StartButton()->setAutoDefault(true);
    AboutButton()->setAutoDefault(true);
    ConnectHandlers();
}

QtDuctForm::~QtDuctForm()
{
    Form.FormOnDestroy();
    target.Detach();
}

void QtDuctForm::ConnectHandlers()
{
    connect(List(DeviceList::outputList), &QComboBox::activated, this,
            [this] { Form.BoxOnChange(); });
    connect(List(DeviceList::inputList), &QComboBox::activated, this,
            [this] { Form.Box2OnChange(); });
    for (Option rate : {Option::rate44100, Option::rate22050, Option::rate11025})
        connect(OptionButton(rate), &QAbstractButton::clicked, this,
                [this, rate] { Form.RateClicked(rate); });
    connect(OptionButton(Option::sixteenBits), &QAbstractButton::clicked, this,
            [this] { Form.is16bit(); });
    connect(OptionButton(Option::stereo), &QAbstractButton::clicked, this,
            [this] { Form.isStereo(); });
    // Positions set by the program block the signal: this is the user moving the slider.
    connect(BlockLength(), &QAbstractSlider::valueChanged, this, [this] { Form.BufsetChange(); });
    connect(StartButton(), &QAbstractButton::clicked, this, [this] { Form.InButOnClick(); });
    connect(AboutButton(), &QAbstractButton::clicked, this, [this] { Form.AboutOnClick(); });
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
