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

QAbstractButton* QtDuctForm::OptionButton(OptionControl control) const
{
    switch (control) {
    case OptionControl::RB4410: return RB4410;
    case OptionControl::RB2205: return RB2205;
    case OptionControl::RB1102: return RB1102;
    case OptionControl::CB_16bit: return CB_16bit;
    case OptionControl::CB_Stereo: break;
    }
    return CB_Stereo;
}

QComboBox* QtDuctForm::List(DeviceList list) const
{
    return list == DeviceList::ComboBox1 ? ComboBox1 : ComboBox2;
}

QWidget* QtDuctForm::Widget(Control control) const
{
    switch (control) {
    case Control::ComboBox1: return ComboBox1;
    case Control::ComboBox2: return ComboBox2;
    case Control::RB4410: return RB4410;
    case Control::RB2205: return RB2205;
    case Control::RB1102: return RB1102;
    case Control::CB_16bit: return CB_16bit;
    case Control::CB_Stereo: return CB_Stereo;
    case Control::Bufset: return Bufset;
    case Control::InButton: return InButton;
    case Control::AboutButton: return AboutButton;
    case Control::Panel1: return Panel1;
    case Control::Panel2: return Panel2;
    case Control::RadioGroup1: return RadioGroup1;
    case Control::GroupBox1: return GroupBox1;
    case Control::RadioGroup2: break;
    }
    return RadioGroup2;
}

bool QtDuctForm::IsChecked(OptionControl control) const
{
    return OptionButton(control)->isChecked();
}

void QtDuctForm::SetChecked(OptionControl control, bool checked)
{
    QAbstractButton* button = OptionButton(control);
    if (auto* rate = dynamic_cast<RateButton*>(button))
        rate->SetChecked(checked);
    else
        button->setChecked(checked);
}

void QtDuctForm::SetOptionEnabled(OptionControl control, bool enabled)
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

int QtDuctForm::BufsetPosition() const
{
    return Bufset->value();
}

void QtDuctForm::SetBufsetPosition(int position)
{
    const QSignalBlocker blocker(Bufset);
    Bufset->setValue(position);
}

void QtDuctForm::SetBufsetEnabled(bool enabled)
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
