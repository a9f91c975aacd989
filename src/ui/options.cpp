// SPDX-License-Identifier: GPL-3.0-or-later
// Device selection and option availability: only the rates, sample widths and channel
// counts that both selected devices share can be chosen.
#include "ui/main.h"

#include <utility>

void TDuctForm::ApplyCaps()
{
    const auto& caps = Engine.CapsTable;
    // Each rate's row of CapsTable: any form, 16 bits, stereo.
    const std::pair<OptionControl, int> rates[] = {
        {OptionControl::RB4410, 6}, {OptionControl::RB2205, 3}, {OptionControl::RB1102, 0}};
    for (const auto& [button, row] : rates) {
        controls.SetChecked(button, controls.IsChecked(button) && caps[row]);
        controls.SetOptionEnabled(button, caps[row]);
    }
    for (const auto& [button, row] : rates) {
        if (!controls.IsChecked(button))
            continue;
        for (const auto& [box, flag] : {std::pair{OptionControl::CB_16bit, row + 1},
                                        std::pair{OptionControl::CB_Stereo, row + 2}}) {
            controls.SetChecked(box, controls.IsChecked(box) && caps[flag]);
            controls.SetOptionEnabled(box, caps[flag]);
        }
        return;
    }
}

void TDuctForm::ReadOutCaps()
{
    Engine.OutDeviceId = controls.SelectedDevice(DeviceList::ComboBox1);
    Engine.CheckOutError(service.waveOutGetDevCapsA(static_cast<UINT>(Engine.OutDeviceId),
                                                    &Engine.OutCaps, sizeof Engine.OutCaps),
                         "WaveOutGetDevCaps");
}

void TDuctForm::ReadInCaps()
{
    Engine.InDeviceId = controls.SelectedDevice(DeviceList::ComboBox2);
    Engine.CheckInError(service.waveInGetDevCapsA(static_cast<UINT>(Engine.InDeviceId),
                                                  &Engine.InCaps, sizeof Engine.InCaps),
                        "WaveInGetDevCaps");
}

void TDuctForm::BoxOnChange()
{
    ReadOutCaps();
    UpdateAndApplyCaps();
}

void TDuctForm::Box2OnChange()
{
    ReadInCaps();
    UpdateAndApplyCaps();
}

void TDuctForm::is4410() { UpdateAndApplyCaps(); }
void TDuctForm::is2205() { UpdateAndApplyCaps(); }
void TDuctForm::is1102() { UpdateAndApplyCaps(); }
void TDuctForm::is16bit() { UpdateAndApplyCaps(); }
void TDuctForm::isStereo() { UpdateAndApplyCaps(); }

void TDuctForm::UpdateAndApplyCaps()
{
    Engine.UpdateCaps();
    ApplyCaps();
}
