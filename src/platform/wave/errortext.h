// SPDX-License-Identifier: GPL-3.0-or-later
// Texts for the service's result codes, shared by every implementation of the service.
#pragma once

#include "platform/wave/mmsystem.h"

// The text for a code, or nullptr for a code the service never returns.
LPCSTR WaveErrorText(MMRESULT code);

// The error-text call: copies the text, cut to cchText - 1 bytes and zero-terminated.
// MMSYSERR_BADERRNUM for an unknown code, MMSYSERR_INVALPARAM for no buffer.
MMRESULT CopyWaveErrorText(MMRESULT code, LPSTR pszText, UINT cchText);
