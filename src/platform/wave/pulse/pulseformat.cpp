// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/pulse/pulseformat.h"

bool ToSampleSpec(LPCWAVEFORMATEX format, pa_sample_spec& sampleSpec)
{
    if (!format || format->wFormatTag != WAVE_FORMAT_PCM)
        return false;
    const WORD bits = format->wBitsPerSample;
    const WORD channels = format->nChannels;
    if ((bits != 8 && bits != 16) || (channels != 1 && channels != 2))
        return false;
    const DWORD align = channels * bits / 8;
    if (format->nBlockAlign != align || format->nAvgBytesPerSec != format->nSamplesPerSec * align)
        return false;
    sampleSpec.format = bits == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
    sampleSpec.channels = static_cast<std::uint8_t>(channels);
    sampleSpec.rate = format->nSamplesPerSec;
    return pa_sample_spec_valid(&sampleSpec) != 0;
}

BYTE SilenceByte(const pa_sample_spec& sampleSpec)
{
    return sampleSpec.format == PA_SAMPLE_U8 ? 0x80 : 0x00;
}
