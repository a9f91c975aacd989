// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls as its logic reads and sets them.
#include "ui/qt/qtductform.h"

#include "ui/qt/frame.h"
#include "ui/qt/ratebutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>

namespace {

QSize ScreenSize()
{
    return QGuiApplication::primaryScreen()->geometry().size();
}

}  // namespace

QAbstractButton* QtDuctForm::OptionButton(Option control) const
{
    switch (control) {
    case Option::rate44100: return RB4410;
    case Option::rate22050: return RB2205;
    case Option::rate11025: return RB1102;
    case Option::sixteenBits: return CB_16bit;
    case Option::stereo: break;
    }
    return CB_Stereo;
}

QComboBox* QtDuctForm::List(DeviceList list) const
{
    return list == DeviceList::outputList ? ComboBox1 : ComboBox2;
}

QWidget* QtDuctForm::Widget(Control control) const
{
    switch (control) {
    case Control::outputList: return ComboBox1;
    case Control::inputList: return ComboBox2;
    case Control::rate44100: return RB4410;
    case Control::rate22050: return RB2205;
    case Control::rate11025: return RB1102;
    case Control::sixteenBits: return CB_16bit;
    case Control::stereo: return CB_Stereo;
    case Control::blockLength: return Bufset;
    case Control::startButton: return InButton;
    case Control::aboutButton: return AboutButton;
    case Control::outputLabel: return Panel1;
    case Control::inputLabel: return Panel2;
    case Control::rateGroup: return RadioGroup1;
    case Control::deviceGroup: return GroupBox1;
    case Control::formGroup: break;
    }
    return RadioGroup2;
}

bool QtDuctForm::IsChecked(Option control) const
{
    return OptionButton(control)->isChecked();
}

void QtDuctForm::SetChecked(Option control, bool checked)
{
    QAbstractButton* button = OptionButton(control);
    if (auto* rate = dynamic_cast<RateButton*>(button))
        rate->SetChecked(checked);
    else
        button->setChecked(checked);
}

void QtDuctForm::SetOptionEnabled(Option control, bool enabled)
{
    OptionButton(control)->setEnabled(enabled);
}

void QtDuctForm::AddListItem(DeviceList list, const std::string& name, int deviceId)
{
    List(list)->addItem(QString::fromLocal8Bit(name), deviceId);
}

std::vector<std::string> QtDuctForm::ListItems(DeviceList list) const
{
    const QComboBox* combo = List(list);
    std::vector<std::string> items;
    for (int i = 0; i < combo->count(); ++i)
        items.push_back(combo->itemText(i).toLocal8Bit().toStdString());
    return items;
}

int QtDuctForm::ListSelection(DeviceList list) const
{
    return List(list)->currentIndex();
}

void QtDuctForm::SetListSelection(DeviceList list, int index)
{
    List(list)->setCurrentIndex(index);
}

int QtDuctForm::SelectedDevice(DeviceList list) const
{
    const QComboBox* combo = List(list);
    return combo->currentIndex() < 0 ? -1 : combo->currentData().toInt();
}

void QtDuctForm::SetListEnabled(DeviceList list, bool enabled)
{
    List(list)->setEnabled(enabled);
}

int QtDuctForm::BlockLengthPosition() const
{
    return Bufset->value();
}

void QtDuctForm::SetBlockLengthPosition(int position)
{
    const QSignalBlocker blocker(Bufset);
    Bufset->setValue(position);
}

void QtDuctForm::SetBlockLengthEnabled(bool enabled)
{
    Bufset->setEnabled(enabled);
}

std::string QtDuctForm::InButtonCaption() const
{
    return InButton->text().toStdString();
}

void QtDuctForm::SetInButtonCaption(const std::string& caption)
{
    InButton->setText(QString::fromStdString(caption));
}

void QtDuctForm::SetInButtonEnabled(bool enabled)
{
    InButton->setEnabled(enabled);
}

void QtDuctForm::FocusInButton()
{
    InButton->setFocus();
}

void QtDuctForm::SetHint(Control control, const std::string& hint)
{
    Widget(control)->setToolTip(QString::fromStdString(hint));
}

void QtDuctForm::SetFaceName(Control control, const std::string& face)
{
    QWidget* widget = Widget(control);
    QFont font = widget->font();
    font.setFamily(QString::fromStdString(face));
    widget->setFont(font);
}

void QtDuctForm::SetPointSize(Control control, int points)
{
    QWidget* widget = Widget(control);
    QFont font = widget->font();
    font.setPointSize(points);
    widget->setFont(font);
}

int QtDuctForm::Left() const { return FramePosition(this).x(); }
int QtDuctForm::Top() const { return FramePosition(this).y(); }
void QtDuctForm::SetLeft(int left) { MoveFrame(this, {left, Top()}); }
void QtDuctForm::SetTop(int top) { MoveFrame(this, {Left(), top}); }
int QtDuctForm::OuterWidth() const { return OuterSize(this).width(); }
int QtDuctForm::OuterHeight() const { return OuterSize(this).height(); }
int QtDuctForm::ScreenWidth() const { return ScreenSize().width(); }
int QtDuctForm::ScreenHeight() const { return ScreenSize().height(); }

void QtDuctForm::Show()
{
    InButton->setFocus();
    show();
    raise();
    activateWindow();
}

void QtDuctForm::ShowMessage(LPCSTR text, LPCSTR caption)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLocal8Bit(caption),
                    QString::fromLocal8Bit(text), QMessageBox::Ok, this);
    box.exec();
}

HWND QtDuctForm::Handle()
{
    return &target;
}

void QtDuctForm::HandlePostedNotifications()
{
    QCoreApplication::sendPostedEvents(this, DeviceEvent::Kind);
}
