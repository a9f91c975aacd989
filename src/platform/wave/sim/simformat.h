// SPDX-License-Identifier: GPL-3.0-or-later
// The PCM formats the virtual devices accept, as the capability bits that name them.
#pragma once

#include "platform/wave/mmsystem.h"

// The WAVE_FORMAT_* bit of a consistent PCM format at 11.025, 22.05 or 44.1 kHz with 1 or 2
// channels of 8 or 16 bits, or WAVE_INVALIDFORMAT. Reads only the PCMWAVEFORMAT fields:
// callers pass a PCMWAVEFORMAT, which has no cbSize.
DWORD PcmFormatBit(LPCWAVEFORMATEX format);
