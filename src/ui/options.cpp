// SPDX-License-Identifier: GPL-3.0-or-later
// Device selection and option availability: only the rates, sample widths and channel
// counts that both selected devices share can be chosen.
#include "ui/main.h"

void TDuctForm::ApplyCaps()
{
    constexpr Option rates[] = {Option::rate44100, Option::rate22050, Option::rate11025};
    for (Option rate : rates) {
        controls.SetChecked(rate, controls.IsChecked(rate) && Engine.Allows(rate));
        controls.SetOptionEnabled(rate, Engine.Allows(rate));
    }
    for (Option rate : rates) {
        if (!controls.IsChecked(rate))
            continue;
        for (Option form : {Option::sixteenBits, Option::stereo}) {
            controls.SetChecked(form, controls.IsChecked(form) && Engine.Allows(rate, form));
            controls.SetOptionEnabled(form, Engine.Allows(rate, form));
        }
        return;
    }
}

void TDuctForm::BoxOnChange()
{
    Engine.SelectOutDevice(controls.SelectedDevice(DeviceList::outputList));
    ApplyCaps();
}

void TDuctForm::Box2OnChange()
{
    Engine.SelectInDevice(controls.SelectedDevice(DeviceList::inputList));
    ApplyCaps();
}

void TDuctForm::is4410() { ApplyCaps(); }
void TDuctForm::is2205() { ApplyCaps(); }
void TDuctForm::is1102() { ApplyCaps(); }
void TDuctForm::is16bit() { ApplyCaps(); }
void TDuctForm::isStereo() { ApplyCaps(); }
