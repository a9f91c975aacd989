// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/sim/simformat.h"

#include <cstring>

namespace {

// Position of the rate's group of four bits, or -1 for a rate the devices do not offer.
int RateGroup(DWORD samplesPerSec)
{
    switch (samplesPerSec) {
    case 11025: return 0;
    case 22050: return 1;
    case 44100: return 2;
    default: return -1;
    }
}

}

DWORD PcmFormatBit(LPCWAVEFORMATEX format)
{
    PCMWAVEFORMAT pcm;
    std::memcpy(&pcm, format, sizeof pcm);
    const WAVEFORMAT& wf = pcm.wf;
    const int group = RateGroup(wf.nSamplesPerSec);
    const bool stereo = wf.nChannels == 2;
    const bool wide = pcm.wBitsPerSample == 16;
    if (wf.wFormatTag != WAVE_FORMAT_PCM || group < 0 || (wf.nChannels != 1 && !stereo)
        || (pcm.wBitsPerSample != 8 && !wide))
        return WAVE_INVALIDFORMAT;
    if (wf.nBlockAlign != wf.nChannels * pcm.wBitsPerSample / 8
        || wf.nAvgBytesPerSec != wf.nSamplesPerSec * wf.nBlockAlign)
        return WAVE_INVALIDFORMAT;
    return DWORD{1} << (group * 4 + (stereo ? 1 : 0) + (wide ? 2 : 0));
}
