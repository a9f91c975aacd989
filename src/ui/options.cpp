// Device selection and option availability: only the rates, sample widths and channel
// counts that both selected devices share can be chosen.
#include "ui/main.h"

#include "ui/ratebutton.h"

#include <QCheckBox>
#include <QComboBox>

namespace {

// The device number an entry keeps; "Wave Mapper" and no selection give WAVE_MAPPER.
int SelectedDevice(const QComboBox* list)
{
    return list->currentIndex() < 0 ? -1 : list->currentData().toInt();
}

}  // namespace

void TDuctForm::ApplyCaps()
{
    const auto& caps = Engine.CapsTable;
    // Each rate's row of CapsTable: any form, 16 bits, stereo.
    const std::pair<RateButton*, int> rates[] = {{RB4410, 6}, {RB2205, 3}, {RB1102, 0}};
    for (const auto& [button, row] : rates) {
        button->SetChecked(button->isChecked() && caps[row]);
        button->setEnabled(caps[row]);
    }
    for (const auto& [button, row] : rates) {
        if (!button->isChecked())
            continue;
        CB_16bit->setChecked(CB_16bit->isChecked() && caps[row + 1]);
        CB_16bit->setEnabled(caps[row + 1]);
        CB_Stereo->setChecked(CB_Stereo->isChecked() && caps[row + 2]);
        CB_Stereo->setEnabled(caps[row + 2]);
        return;
    }
}

void TDuctForm::ReadOutCaps()
{
    Engine.OutDeviceId = SelectedDevice(ComboBox1);
    Engine.CheckOutError(service.waveOutGetDevCapsA(static_cast<UINT>(Engine.OutDeviceId),
                                                    &Engine.OutCaps, sizeof Engine.OutCaps),
                         "WaveOutGetDevCaps");
}

void TDuctForm::ReadInCaps()
{
    Engine.InDeviceId = SelectedDevice(ComboBox2);
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

void TDuctForm::OnRateClick(RateButton* button)
{
    if (!button->ClickChecked())
        return;
    if (button == RB4410)
        is4410();
    else if (button == RB2205)
        is2205();
    else
        is1102();
}
