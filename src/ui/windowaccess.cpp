// SPDX-License-Identifier: GPL-3.0-or-later
// What the relay engine and the settings read and set on the main window, passed on to its
// controls.
#include "ui/main.h"

bool TDuctForm::IsChecked(Option option) const { return controls.IsChecked(option); }
int TDuctForm::BlockLengthPosition() const { return controls.BlockLengthPosition(); }

void TDuctForm::FormatTaken()
{
    for (Option option : {Option::rate44100, Option::rate22050, Option::rate11025,
                          Option::stereo, Option::sixteenBits})
        controls.SetOptionEnabled(option, false);
}

// The list of an open device is locked: its choice applies to the next relay only.
void TDuctForm::DeviceOpened(DeviceList list) { controls.SetListEnabled(list, false); }
void TDuctForm::DeviceClosed(DeviceList list) { controls.SetListEnabled(list, true); }

void TDuctForm::ShowMessage(LPCSTR text, LPCSTR caption) { controls.ShowMessage(text, caption); }
HWND TDuctForm::Handle() { return controls.Handle(); }

void TDuctForm::SetChecked(Option option, bool checked) { controls.SetChecked(option, checked); }
void TDuctForm::SetBlockLengthPosition(int position) { controls.SetBlockLengthPosition(position); }
std::vector<std::string> TDuctForm::ListItems(DeviceList list) const
{
    return controls.ListItems(list);
}
int TDuctForm::ListSelection(DeviceList list) const { return controls.ListSelection(list); }
void TDuctForm::SetListSelection(DeviceList list, int index)
{
    controls.SetListSelection(list, index);
}
int TDuctForm::Left() const { return controls.Left(); }
int TDuctForm::Top() const { return controls.Top(); }
void TDuctForm::SetLeft(int left) { controls.SetLeft(left); }
void TDuctForm::SetTop(int top) { controls.SetTop(top); }
int TDuctForm::OuterWidth() const { return controls.OuterWidth(); }
int TDuctForm::OuterHeight() const { return controls.OuterHeight(); }
int TDuctForm::ScreenWidth() const { return controls.ScreenWidth(); }
int TDuctForm::ScreenHeight() const { return controls.ScreenHeight(); }
