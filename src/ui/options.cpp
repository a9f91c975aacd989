// SPDX-License-Identifier: GPL-3.0-or-later
// Device selection and option availability: only the rates, sample widths and channel
// counts that both selected devices share can be chosen.
#include "ui/main.h"

namespace {

constexpr Option Rates[] = {Option::rate44100, Option::rate22050, Option::rate11025};

}  // namespace

void TDuctForm::ApplyCaps()
{
    for (Option rate : Rates) {
        controls.SetChecked(rate, controls.IsChecked(rate) && Engine.Allows(rate));
        controls.SetOptionEnabled(rate, Engine.Allows(rate));
    }
    checkedRate.reset();
    for (Option rate : Rates)
        if (!checkedRate && controls.IsChecked(rate))
            checkedRate = rate;
    if (!checkedRate)
        return;
    for (Option form : {Option::sixteenBits, Option::stereo}) {
        controls.SetChecked(form, controls.IsChecked(form) && Engine.Allows(*checkedRate, form));
        controls.SetOptionEnabled(form, Engine.Allows(*checkedRate, form));
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

void TDuctForm::RateClicked(Option rate)
{
    // A rate button checks itself before it tells: a click on the rate already checked, or a
    // notification that is no click, changes nothing.
    if (rate == checkedRate || !controls.IsChecked(rate))
        return;
    if (rate == Option::rate44100)
        is4410();
    else if (rate == Option::rate22050)
        is2205();
    else
        is1102();
}

void TDuctForm::is4410() { ApplyCaps(); }
void TDuctForm::is2205() { ApplyCaps(); }
void TDuctForm::is1102() { ApplyCaps(); }
void TDuctForm::is16bit() { ApplyCaps(); }
void TDuctForm::isStereo() { ApplyCaps(); }
