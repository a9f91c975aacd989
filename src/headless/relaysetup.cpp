// SPDX-License-Identifier: GPL-3.0-or-later
#include "headless/relaysetup.h"

void SetUpRelay(DuctEngine& engine, FakeWindow& window, WaveService& service,
                DWORD samplesPerSec, bool bits16, bool stereo, int bufset, int inDeviceId,
                int outDeviceId)
{
    window.SetChecked(OptionControl::RB4410, samplesPerSec == 44100);
    window.SetChecked(OptionControl::RB2205, samplesPerSec == 22050);
    window.SetChecked(OptionControl::RB1102, samplesPerSec == 11025);
    window.SetChecked(OptionControl::CB_16bit, bits16);
    window.SetChecked(OptionControl::CB_Stereo, stereo);
    window.SetBufsetPosition(bufset);
    engine.InDeviceId = inDeviceId;
    engine.OutDeviceId = outDeviceId;
    engine.CheckInError(service.waveInGetDevCapsA(static_cast<UINT>(inDeviceId), &engine.InCaps,
                                                  sizeof engine.InCaps),
                        "WaveInGetDevCaps");
    engine.CheckOutError(service.waveOutGetDevCapsA(static_cast<UINT>(outDeviceId),
                                                    &engine.OutCaps, sizeof engine.OutCaps),
                         "WaveOutGetDevCaps");
    engine.UpdateCaps();
}
