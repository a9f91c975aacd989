// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/errortext.h"

#include <algorithm>
#include <cstring>

LPCSTR WaveErrorText(MMRESULT code)
{
    switch (code) {
    case MMSYSERR_NOERROR: return "No error.";
    case MMSYSERR_ERROR: return "The audio device reported an unspecified error.";
    case MMSYSERR_BADDEVICEID: return "The audio device is not available: it may have been removed.";
    case MMSYSERR_NOTENABLED: return "The audio device is not enabled.";
    case MMSYSERR_ALLOCATED: return "The audio device is already in use by another program.";
    case MMSYSERR_INVALHANDLE: return "The audio device handle is not valid (the device may be closed).";
    case MMSYSERR_NODRIVER: return "The audio server is not running.";
    case MMSYSERR_NOMEM: return "There is not enough memory for the audio device.";
    case MMSYSERR_NOTSUPPORTED: return "The audio device does not support this operation.";
    case MMSYSERR_BADERRNUM: return "The error number is not known.";
    case MMSYSERR_INVALFLAG: return "An invalid flag was passed to the audio device.";
    case MMSYSERR_INVALPARAM: return "An invalid parameter was passed to the audio device.";
    case MMSYSERR_HANDLEBUSY: return "The audio device is busy with another operation.";
    case WAVERR_BADFORMAT: return "The audio device does not support this sound format.";
    case WAVERR_STILLPLAYING: return "The audio device is still using this buffer.";
    case WAVERR_UNPREPARED: return "The buffer has not been prepared for the audio device.";
    case WAVERR_SYNC: return "The audio device is synchronous and cannot be opened this way.";
    default: return nullptr;
    }
}

MMRESULT CopyWaveErrorText(MMRESULT code, LPSTR pszText, UINT cchText)
{
    LPCSTR text = WaveErrorText(code);
    if (!text)
        return MMSYSERR_BADERRNUM;
    if (!pszText || cchText == 0)
        return MMSYSERR_INVALPARAM;
    const std::size_t length = std::min<std::size_t>(std::strlen(text), cchText - 1);
    std::memcpy(pszText, text, length);
    pszText[length] = '\0';
    return MMSYSERR_NOERROR;
}
