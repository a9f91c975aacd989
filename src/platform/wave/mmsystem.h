// SPDX-License-Identifier: GPL-3.0-or-later
// The waveform-audio service's records, constants and result codes, with the platform's
// names, field order and sizes (little-endian).
#pragma once

#include "platform/wintypes.h"

using MMRESULT = UINT;
using MMVERSION = UINT;

struct HWAVEIN__;
struct HWAVEOUT__;
using HWAVEIN = HWAVEIN__*;
using HWAVEOUT = HWAVEOUT__*;
using LPHWAVEIN = HWAVEIN*;
using LPHWAVEOUT = HWAVEOUT*;

// Result codes
constexpr MMRESULT MMSYSERR_BASE = 0;
constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_ERROR = MMSYSERR_BASE + 1;
constexpr MMRESULT MMSYSERR_BADDEVICEID = MMSYSERR_BASE + 2;
constexpr MMRESULT MMSYSERR_NOTENABLED = MMSYSERR_BASE + 3;
constexpr MMRESULT MMSYSERR_ALLOCATED = MMSYSERR_BASE + 4;
constexpr MMRESULT MMSYSERR_INVALHANDLE = MMSYSERR_BASE + 5;
constexpr MMRESULT MMSYSERR_NODRIVER = MMSYSERR_BASE + 6;
constexpr MMRESULT MMSYSERR_NOMEM = MMSYSERR_BASE + 7;
constexpr MMRESULT MMSYSERR_NOTSUPPORTED = MMSYSERR_BASE + 8;
constexpr MMRESULT MMSYSERR_BADERRNUM = MMSYSERR_BASE + 9;
constexpr MMRESULT MMSYSERR_INVALFLAG = MMSYSERR_BASE + 10;
constexpr MMRESULT MMSYSERR_INVALPARAM = MMSYSERR_BASE + 11;
constexpr MMRESULT MMSYSERR_HANDLEBUSY = MMSYSERR_BASE + 12;
constexpr MMRESULT MMSYSERR_LASTERROR = MMSYSERR_BASE + 21;
constexpr MMRESULT WAVERR_BASE = 32;
constexpr MMRESULT WAVERR_BADFORMAT = WAVERR_BASE + 0;
constexpr MMRESULT WAVERR_STILLPLAYING = WAVERR_BASE + 1;
constexpr MMRESULT WAVERR_UNPREPARED = WAVERR_BASE + 2;
constexpr MMRESULT WAVERR_SYNC = WAVERR_BASE + 3;

constexpr UINT MAXERRORLENGTH = 256;
constexpr UINT MAXPNAMELEN = 32;

// Device numbers and open flags
constexpr UINT WAVE_MAPPER = static_cast<UINT>(-1);
constexpr DWORD WAVE_FORMAT_QUERY = 0x0001;
constexpr DWORD CALLBACK_NULL = 0x00000000;
constexpr DWORD CALLBACK_WINDOW = 0x00010000;

// Notifications posted to the callback window
constexpr UINT MM_WOM_OPEN = 0x3BB;
constexpr UINT MM_WOM_CLOSE = 0x3BC;
constexpr UINT MM_WOM_DONE = 0x3BD;
constexpr UINT MM_WIM_OPEN = 0x3BE;
constexpr UINT MM_WIM_CLOSE = 0x3BF;
constexpr UINT MM_WIM_DATA = 0x3C0;

// Header flags
constexpr DWORD WHDR_DONE = 0x00000001;
constexpr DWORD WHDR_PREPARED = 0x00000002;
constexpr DWORD WHDR_BEGINLOOP = 0x00000004;
constexpr DWORD WHDR_ENDLOOP = 0x00000008;
constexpr DWORD WHDR_INQUEUE = 0x00000010;

// Format bits of the capability records: rate 1/2/4 (11.025/22.05/44.1 kHz),
// Mono/Stereo, 08/16 bits
constexpr DWORD WAVE_INVALIDFORMAT = 0x00000000;
constexpr DWORD WAVE_FORMAT_1M08 = 0x00000001;
constexpr DWORD WAVE_FORMAT_1S08 = 0x00000002;
constexpr DWORD WAVE_FORMAT_1M16 = 0x00000004;
constexpr DWORD WAVE_FORMAT_1S16 = 0x00000008;
constexpr DWORD WAVE_FORMAT_2M08 = 0x00000010;
constexpr DWORD WAVE_FORMAT_2S08 = 0x00000020;
constexpr DWORD WAVE_FORMAT_2M16 = 0x00000040;
constexpr DWORD WAVE_FORMAT_2S16 = 0x00000080;
constexpr DWORD WAVE_FORMAT_4M08 = 0x00000100;
constexpr DWORD WAVE_FORMAT_4S08 = 0x00000200;
constexpr DWORD WAVE_FORMAT_4M16 = 0x00000400;
constexpr DWORD WAVE_FORMAT_4S16 = 0x00000800;

// Support bits of the playback capability record
constexpr DWORD WAVECAPS_PITCH = 0x0001;
constexpr DWORD WAVECAPS_PLAYBACKRATE = 0x0002;
constexpr DWORD WAVECAPS_VOLUME = 0x0004;
constexpr DWORD WAVECAPS_LRVOLUME = 0x0008;
constexpr DWORD WAVECAPS_SYNC = 0x0010;
constexpr DWORD WAVECAPS_SAMPLEACCURATE = 0x0020;

constexpr WORD WAVE_FORMAT_PCM = 1;

struct WAVEHDR {
    LPSTR lpData;
    DWORD dwBufferLength;
    DWORD dwBytesRecorded;
    DWORD_PTR dwUser;
    DWORD dwFlags;
    DWORD dwLoops;
    WAVEHDR* lpNext;
    DWORD_PTR reserved;
};
using LPWAVEHDR = WAVEHDR*;

#pragma pack(push, 1)
struct WAVEFORMAT {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
};

struct PCMWAVEFORMAT {
    WAVEFORMAT wf;
    WORD wBitsPerSample;
};

struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};
using LPCWAVEFORMATEX = const WAVEFORMATEX*;

struct WAVEINCAPSA {
    WORD wMid;
    WORD wPid;
    MMVERSION vDriverVersion;
    CHAR szPname[MAXPNAMELEN];
    DWORD dwFormats;
    WORD wChannels;
    WORD wReserved1;
};
using LPWAVEINCAPSA = WAVEINCAPSA*;

struct WAVEOUTCAPSA {
    WORD wMid;
    WORD wPid;
    MMVERSION vDriverVersion;
    CHAR szPname[MAXPNAMELEN];
    DWORD dwFormats;
    WORD wChannels;
    WORD wReserved1;
    DWORD dwSupport;
};
using LPWAVEOUTCAPSA = WAVEOUTCAPSA*;
#pragma pack(pop)

static_assert(sizeof(PCMWAVEFORMAT) == 16);
static_assert(sizeof(WAVEINCAPSA) == 48);
static_assert(sizeof(WAVEOUTCAPSA) == 52);
static_assert(sizeof(void*) != 4 || sizeof(WAVEHDR) == 32);
static_assert(sizeof(void*) != 8 || sizeof(WAVEHDR) == 48);
static_assert(offsetof(WAVEHDR, dwFlags) == sizeof(void*) + 2 * sizeof(DWORD) + sizeof(DWORD_PTR));
