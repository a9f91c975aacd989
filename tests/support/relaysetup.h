// SPDX-License-Identifier: GPL-3.0-or-later
// A relay set up without a screen: the option controls and the two devices as the user
// would pick them, and both devices' capabilities read, as the window does on a choice.
#pragma once

#include "engine/ductengine.h"
#include "support/fakewindow.h"

// Device numbers -1 stand for WAVE_MAPPER.
void SetUpRelay(DuctEngine& engine, FakeWindow& window,
                DWORD samplesPerSec, bool bits16, bool stereo, int bufset, int inDeviceId,
                int outDeviceId);
