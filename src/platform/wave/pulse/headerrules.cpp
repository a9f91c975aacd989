// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/pulse/headerrules.h"

#include <algorithm>
#include <cstring>

namespace {
bool Valid(LPWAVEHDR header, UINT size)
{
    return header && size >= sizeof(WAVEHDR);
}
}

MMRESULT PrepareHeader(LPWAVEHDR header, UINT size)
{
    if (!Valid(header, size) || (!header->lpData && header->dwBufferLength > 0))
        return MMSYSERR_INVALPARAM;
    if (header->dwFlags & WHDR_INQUEUE)
        return WAVERR_STILLPLAYING;
    header->dwFlags = (header->dwFlags | WHDR_PREPARED) & ~WHDR_DONE;
    return MMSYSERR_NOERROR;
}

MMRESULT UnprepareHeader(LPWAVEHDR header, UINT size)
{
    if (!Valid(header, size))
        return MMSYSERR_INVALPARAM;
    if (header->dwFlags & WHDR_INQUEUE)
        return WAVERR_STILLPLAYING;
    header->dwFlags &= ~WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT CheckQueueable(LPWAVEHDR header, UINT size)
{
    if (!Valid(header, size))
        return MMSYSERR_INVALPARAM;
    if (!(header->dwFlags & WHDR_PREPARED))
        return WAVERR_UNPREPARED;
    if (header->dwFlags & WHDR_INQUEUE)
        return WAVERR_STILLPLAYING;
    return MMSYSERR_NOERROR;
}

void MarkQueued(LPWAVEHDR header)
{
    header->dwFlags = (header->dwFlags | WHDR_INQUEUE) & ~WHDR_DONE;
}

void MarkDone(LPWAVEHDR header)
{
    header->dwFlags = (header->dwFlags | WHDR_DONE) & ~WHDR_INQUEUE;
}

std::size_t Record(WAVEHDR& header, DWORD capacity, const BYTE* data, std::size_t size,
                   BYTE silence)
{
    const std::size_t chunk = std::min<std::size_t>(size, capacity - header.dwBytesRecorded);
    BYTE* target = reinterpret_cast<BYTE*>(header.lpData) + header.dwBytesRecorded;
    if (data)
        std::memcpy(target, data, chunk);
    else
        std::memset(target, silence, chunk);
    header.dwBytesRecorded += static_cast<DWORD>(chunk);
    return chunk;
}
