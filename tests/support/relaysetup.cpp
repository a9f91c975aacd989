// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/relaysetup.h"

void SetUpRelay(DuctEngine& engine, FakeWindow& window,
                DWORD samplesPerSec, bool bits16, bool stereo, int bufset, int inDeviceId,
                int outDeviceId)
{
    window.SetChecked(Option::rate44100, samplesPerSec == 44100);
    window.SetChecked(Option::rate22050, samplesPerSec == 22050);
    window.SetChecked(Option::rate11025, samplesPerSec == 11025);
    window.SetChecked(Option::sixteenBits, bits16);
    window.SetChecked(Option::stereo, stereo);
    window.SetBlockLengthPosition(bufset);
    engine.SelectInDevice(inDeviceId);
    engine.SelectOutDevice(outDeviceId);
}
