// SPDX-License-Identifier: GPL-3.0-or-later
// The PCM format and block size from the option controls, and the availability flags from
// the two devices' format bits.
#include "engine/ductengine.h"

namespace {
// Per rate: any form, 16 bits, stereo; 11.025, 22.05, 44.1 kHz.
constexpr std::array<DWORD, 9> CapsMasks = {0x00F, 0x00C, 0x00A, 0x0F0, 0x0C0,
                                            0x0A0, 0xF00, 0xC00, 0xA00};
}

void DuctEngine::SetupFormat()
{
    PcmFormat.wf.wFormatTag = WAVE_FORMAT_PCM;
    window.SetOptionEnabled(OptionControl::RB4410, false);
    window.SetOptionEnabled(OptionControl::RB2205, false);
    window.SetOptionEnabled(OptionControl::RB1102, false);
    if (window.IsChecked(OptionControl::RB4410))
        PcmFormat.wf.nSamplesPerSec = 44100;
    if (window.IsChecked(OptionControl::RB2205))
        PcmFormat.wf.nSamplesPerSec = 22050;
    if (window.IsChecked(OptionControl::RB1102))
        PcmFormat.wf.nSamplesPerSec = 11025;
    window.SetOptionEnabled(OptionControl::CB_Stereo, false);
    PcmFormat.wf.nChannels = window.IsChecked(OptionControl::CB_Stereo) ? 2 : 1;
    window.SetOptionEnabled(OptionControl::CB_16bit, false);
    PcmFormat.wBitsPerSample = window.IsChecked(OptionControl::CB_16bit) ? 16 : 8;

    const LONG channels = PcmFormat.wf.nChannels;
    const LONG bits = PcmFormat.wBitsPerSample;
    const LONG bytesPerSecond = channels * static_cast<LONG>(PcmFormat.wf.nSamplesPerSec) * bits / 8;
    PcmFormat.wf.nAvgBytesPerSec = bytesPerSecond;
    PcmFormat.wf.nBlockAlign = static_cast<WORD>(channels * bits / 8);

    // Whole sample frames only: a block that splits a frame would shift every later block
    // by a byte and turn 16-bit sound into noise.
    const LONG bytes = (12 - window.BufsetPosition()) * bytesPerSecond / 10;
    BlockSize = bytes - bytes % PcmFormat.wf.nBlockAlign;
}

void DuctEngine::UpdateCaps()
{
    const DWORD shared = InCaps.dwFormats & OutCaps.dwFormats;
    for (std::size_t i = 0; i < CapsTable.size(); ++i)
        CapsTable[i] = (shared & CapsMasks[i]) != 0;
}
