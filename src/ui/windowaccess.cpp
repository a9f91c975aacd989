// What the relay engine and the settings read and set on the main window.
#include "ui/main.h"

#include "ui/frame.h"
#include "ui/ratebutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>

namespace {

OptionControl ToOption(SettingsOption option)
{
    switch (option) {
    case SettingsOption::RB4410: return OptionControl::RB4410;
    case SettingsOption::RB2205: return OptionControl::RB2205;
    case SettingsOption::RB1102: return OptionControl::RB1102;
    case SettingsOption::CB_16bit: return OptionControl::CB_16bit;
    case SettingsOption::CB_Stereo: break;
    }
    return OptionControl::CB_Stereo;
}

QSize ScreenSize()
{
    return QGuiApplication::primaryScreen()->geometry().size();
}

}  // namespace

QAbstractButton* TDuctForm::OptionButton(OptionControl control) const
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

QComboBox* TDuctForm::List(SettingsList list) const
{
    return list == SettingsList::ComboBox1 ? ComboBox1 : ComboBox2;
}

bool TDuctForm::IsChecked(OptionControl control) const
{
    return OptionButton(control)->isChecked();
}

void TDuctForm::SetOptionEnabled(OptionControl control, bool enabled)
{
    OptionButton(control)->setEnabled(enabled);
}

int TDuctForm::BufsetPosition() const
{
    return Bufset->value();
}

void TDuctForm::SetListEnabled(DeviceList list, bool enabled)
{
    (list == DeviceList::ComboBox1 ? ComboBox1 : ComboBox2)->setEnabled(enabled);
}

void TDuctForm::ShowMessage(LPCSTR text, LPCSTR caption)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLocal8Bit(caption),
                    QString::fromLocal8Bit(text), QMessageBox::Ok, this);
    box.exec();
}

HWND TDuctForm::Handle()
{
    return &target;
}

bool TDuctForm::IsChecked(SettingsOption option) const
{
    return IsChecked(ToOption(option));
}

void TDuctForm::SetChecked(SettingsOption option, bool checked)
{
    QAbstractButton* button = OptionButton(ToOption(option));
    if (auto* rate = dynamic_cast<RateButton*>(button))
        rate->SetChecked(checked);
    else
        button->setChecked(checked);
}

void TDuctForm::SetBufsetPosition(int position)
{
    // A position set by the program raises no change event.
    const QSignalBlocker blocker(Bufset);
    Bufset->setValue(position);
}

std::vector<std::string> TDuctForm::ListItems(SettingsList list) const
{
    const QComboBox* combo = List(list);
    std::vector<std::string> items;
    for (int i = 0; i < combo->count(); ++i)
        items.push_back(combo->itemText(i).toLocal8Bit().toStdString());
    return items;
}

int TDuctForm::ListSelection(SettingsList list) const
{
    return List(list)->currentIndex();
}

void TDuctForm::SetListSelection(SettingsList list, int index)
{
    List(list)->setCurrentIndex(index);
}

int TDuctForm::Left() const { return FramePosition(this).x(); }
int TDuctForm::Top() const { return FramePosition(this).y(); }
void TDuctForm::SetLeft(int left) { MoveFrame(this, {left, Top()}); }
void TDuctForm::SetTop(int top) { MoveFrame(this, {Left(), top}); }
int TDuctForm::OuterWidth() const { return OuterSize(this).width(); }
int TDuctForm::OuterHeight() const { return OuterSize(this).height(); }
int TDuctForm::ScreenWidth() const { return ScreenSize().width(); }
int TDuctForm::ScreenHeight() const { return ScreenSize().height(); }
