// SPDX-License-Identifier: GPL-3.0-or-later
// The headers and sound blocks of one relay: allocated at its start, released at its stop.
#include "engine/ductengine.h"

namespace {
constexpr UINT BlockFlags = GMEM_DDESHARE | GMEM_MOVEABLE;

LPVOID AllocLocked(HGLOBAL& handle, SIZE_T bytes)
{
    handle = GlobalAlloc(BlockFlags, bytes);
    return handle ? GlobalLock(handle) : nullptr;
}
}

LPWAVEHDR DuctEngine::AllocHeader(HGLOBAL& headerHandle, HGLOBAL& dataHandle, UINT& headerSize)
{
    auto* header = static_cast<LPWAVEHDR>(AllocLocked(headerHandle, sizeof(WAVEHDR)));
    auto* data = static_cast<LPSTR>(AllocLocked(dataHandle, BlockSize));
    if (!header || !data)
        return nullptr;
    header->lpData = data;
    header->dwBufferLength = static_cast<DWORD>(GlobalSize(dataHandle));
    headerSize = static_cast<UINT>(GlobalSize(headerHandle));
    return header;
}

bool DuctEngine::AllocBuffers()
{
    bool complete = true;
    for (int i = 0; i < HeaderCount; ++i) {
        InHeaders[i] = {AllocHeader(InHeaderHandle[i], InDataHandle[i], InHeaderSize), false, false};
        OutHeaders[i] = {AllocHeader(OutHeaderHandle[i], OutDataHandle[i], OutHeaderSize), false,
                         false};
        complete = complete && InHeaders[i].Header && OutHeaders[i].Header;
    }
    for (int s = 0; s < BlockRing::Slots; ++s) {
        Ring.RingData[s] = static_cast<LPSTR>(AllocLocked(Ring.RingHandle[s], BlockSize));
        Ring.RingFree[s] = true;
        complete = complete && Ring.RingData[s];
    }
    return complete;
}

void DuctEngine::ReleaseBlock(HGLOBAL& handle, LPCSTR text, LPCSTR caption)
{
    GlobalUnlock(handle);
    // A handle that will not unlock is not ours to free.
    if (GetLastError() == NO_ERROR && GlobalFree(handle))
        window.ShowMessage(text, caption);
    handle = nullptr;
}

void DuctEngine::FreeBuffers()
{
    Entry entry(*this);
    static constexpr LPCSTR BufferText = "バッファの削除ができません";
    for (int i = 0; i < HeaderCount; ++i) {
        ReleaseBlock(InDataHandle[i], BufferText, "WaveInBuf Unlock");
        ReleaseBlock(InHeaderHandle[i], BufferText, "WaveIn Unlock");
        ReleaseBlock(OutDataHandle[i], BufferText, "WaveOutBuf Unlock");
        ReleaseBlock(OutHeaderHandle[i], BufferText, "WaveOut Unlock");
    }
    for (HGLOBAL& handle : Ring.RingHandle)
        ReleaseBlock(handle, "wDataの削除ができません", "wData Unlock");
}
