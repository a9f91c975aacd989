// SPDX-License-Identifier: GPL-3.0-or-later
// What the relay engine and the settings read and set on the main window, passed on to its
// controls.
#include "ui/main.h"

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

DeviceList ToList(SettingsList list)
{
    return list == SettingsList::ComboBox1 ? DeviceList::ComboBox1 : DeviceList::ComboBox2;
}

}  // namespace

bool TDuctForm::IsChecked(OptionControl control) const { return controls.IsChecked(control); }
void TDuctForm::SetOptionEnabled(OptionControl control, bool enabled)
{
    controls.SetOptionEnabled(control, enabled);
}
int TDuctForm::BufsetPosition() const { return controls.BufsetPosition(); }
void TDuctForm::SetListEnabled(DeviceList list, bool enabled)
{
    controls.SetListEnabled(list, enabled);
}
void TDuctForm::ShowMessage(LPCSTR text, LPCSTR caption) { controls.ShowMessage(text, caption); }
HWND TDuctForm::Handle() { return controls.Handle(); }

bool TDuctForm::IsChecked(SettingsOption option) const
{
    return controls.IsChecked(ToOption(option));
}
void TDuctForm::SetChecked(SettingsOption option, bool checked)
{
    controls.SetChecked(ToOption(option), checked);
}
void TDuctForm::SetBufsetPosition(int position) { controls.SetBufsetPosition(position); }
std::vector<std::string> TDuctForm::ListItems(SettingsList list) const
{
    return controls.ListItems(ToList(list));
}
int TDuctForm::ListSelection(SettingsList list) const
{
    return controls.ListSelection(ToList(list));
}
void TDuctForm::SetListSelection(SettingsList list, int index)
{
    controls.SetListSelection(ToList(list), index);
}
int TDuctForm::Left() const { return controls.Left(); }
int TDuctForm::Top() const { return controls.Top(); }
void TDuctForm::SetLeft(int left) { controls.SetLeft(left); }
void TDuctForm::SetTop(int top) { controls.SetTop(top); }
int TDuctForm::OuterWidth() const { return controls.OuterWidth(); }
int TDuctForm::OuterHeight() const { return controls.OuterHeight(); }
int TDuctForm::ScreenWidth() const { return controls.ScreenWidth(); }
int TDuctForm::ScreenHeight() const { return controls.ScreenHeight(); }
