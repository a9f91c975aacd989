// SPDX-License-Identifier: GPL-3.0-or-later
// The PCM format and block size from the option controls, and what both devices allow from
// their format bits.
#include "engine/ductengine.h"

namespace {
// The capability table's rows, and each one's format bits.
enum CapsRow {
    Rate11025, Rate11025Bits16, Rate11025Stereo,
    Rate22050, Rate22050Bits16, Rate22050Stereo,
    Rate44100, Rate44100Bits16, Rate44100Stereo
};
constexpr std::array<DWORD, 9> CapsMasks = {0x00F, 0x00C, 0x00A, 0x0F0, 0x0C0,
                                            0x0A0, 0xF00, 0xC00, 0xA00};

CapsRow RateRow(Option rate)
{
    switch (rate) {
    case Option::rate44100: return Rate44100;
    case Option::rate22050: return Rate22050;
    default: return Rate11025;
    }
}

// A rate's row, or the row of the rate with 16 bits or stereo.
int Row(Option rate, Option form)
{
    const int row = RateRow(rate);
    if (form == Option::sixteenBits)
        return row + 1;
    return form == Option::stereo ? row + 2 : row;
}
}

void DuctEngine::SetupFormat()
{
    PcmFormat.wf.wFormatTag = WAVE_FORMAT_PCM;
    window.FormatTaken();
    if (window.IsChecked(Option::rate44100))
        PcmFormat.wf.nSamplesPerSec = 44100;
    if (window.IsChecked(Option::rate22050))
        PcmFormat.wf.nSamplesPerSec = 22050;
    if (window.IsChecked(Option::rate11025))
        PcmFormat.wf.nSamplesPerSec = 11025;
    PcmFormat.wf.nChannels = window.IsChecked(Option::stereo) ? 2 : 1;
    PcmFormat.wBitsPerSample = window.IsChecked(Option::sixteenBits) ? 16 : 8;

    const LONG channels = PcmFormat.wf.nChannels;
    const LONG bits = PcmFormat.wBitsPerSample;
    const LONG bytesPerSecond = channels * static_cast<LONG>(PcmFormat.wf.nSamplesPerSec) * bits / 8;
    PcmFormat.wf.nAvgBytesPerSec = bytesPerSecond;
    PcmFormat.wf.nBlockAlign = static_cast<WORD>(channels * bits / 8);

    // Whole sample frames only: a block that splits a frame would shift every later block
    // by a byte and turn 16-bit sound into noise.
    const LONG bytes = (12 - window.BlockLengthPosition()) * bytesPerSecond / 10;
    BlockSize = bytes - bytes % PcmFormat.wf.nBlockAlign;
}

void DuctEngine::UpdateCaps()
{
    const DWORD shared = InCaps.dwFormats & OutCaps.dwFormats;
    for (std::size_t i = 0; i < CapsTable.size(); ++i)
        CapsTable[i] = (shared & CapsMasks[i]) != 0;
}

bool DuctEngine::Allows(Option rate) const
{
    return CapsTable[RateRow(rate)];
}

bool DuctEngine::Allows(Option rate, Option form) const
{
    return CapsTable[Row(rate, form)];
}
