// SPDX-License-Identifier: GPL-3.0-or-later
// PCM formats of the waveform-audio service in libpulse's terms.
#pragma once

#include "platform/wave/mmsystem.h"

#include <pulse/sample.h>

// True for a PCM record this backend plays and records (8-bit unsigned or 16-bit
// little-endian, mono or stereo, consistent sizes); fills the sample sampleSpec. Reads only the
// PCMWAVEFORMAT fields, never cbSize, since callers pass a PCMWAVEFORMAT.
bool ToSampleSpec(LPCWAVEFORMATEX format, pa_sample_spec& sampleSpec);

// The byte that is silence in a format: recorded holes are filled with it.
BYTE SilenceByte(const pa_sample_spec& sampleSpec);
