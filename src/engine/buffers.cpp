// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/buffers.h"

namespace {
constexpr UINT BlockFlags = GMEM_DDESHARE | GMEM_MOVEABLE;

LPVOID AllocLocked(HGLOBAL& handle, SIZE_T bytes)
{
    handle = GlobalAlloc(BlockFlags, bytes);
    return handle ? GlobalLock(handle) : nullptr;
}

LPWAVEHDR AllocHeader(LONG blockSize, HGLOBAL& headerHandle, HGLOBAL& dataHandle,
                      UINT& headerSize)
{
    auto* header = static_cast<LPWAVEHDR>(AllocLocked(headerHandle, sizeof(WAVEHDR)));
    auto* data = static_cast<LPSTR>(AllocLocked(dataHandle, blockSize));
    if (!header || !data)
        return nullptr;
    header->lpData = data;
    header->dwBufferLength = static_cast<DWORD>(GlobalSize(dataHandle));
    headerSize = static_cast<UINT>(GlobalSize(headerHandle));
    return header;
}

void ReleaseBlock(RelayWindow& window, HGLOBAL& handle, LPCSTR text, LPCSTR caption)
{
    GlobalUnlock(handle);
    // A handle that will not unlock is not ours to free.
    if (GetLastError() == NO_ERROR && GlobalFree(handle))
        window.ShowMessage(text, caption);
    handle = nullptr;
}
}

bool RelayBuffers::Alloc(LONG blockSize, BlockRing& ring)
{
    bool complete = true;
    for (int i = 0; i < HeaderCount; ++i) {
        InHeaders[i] = {AllocHeader(blockSize, InHeaderHandle[i], InDataHandle[i], InHeaderSize),
                        false, false};
        OutHeaders[i] = {
            AllocHeader(blockSize, OutHeaderHandle[i], OutDataHandle[i], OutHeaderSize), false,
            false};
        complete = complete && InHeaders[i].Header && OutHeaders[i].Header;
    }
    for (int s = 0; s < BlockRing::Slots; ++s) {
        ring.RingData[s] = static_cast<LPSTR>(AllocLocked(ring.RingHandle[s], blockSize));
        ring.RingFree[s] = true;
        complete = complete && ring.RingData[s];
    }
    return complete;
}

void RelayBuffers::Free(RelayWindow& window, BlockRing& ring)
{
    static constexpr LPCSTR BufferText = "バッファの削除ができません";
    for (int i = 0; i < HeaderCount; ++i) {
        ReleaseBlock(window, InDataHandle[i], BufferText, "WaveInBuf Unlock");
        ReleaseBlock(window, InHeaderHandle[i], BufferText, "WaveIn Unlock");
        ReleaseBlock(window, OutDataHandle[i], BufferText, "WaveOutBuf Unlock");
        ReleaseBlock(window, OutHeaderHandle[i], BufferText, "WaveOut Unlock");
    }
    for (HGLOBAL& handle : ring.RingHandle)
        ReleaseBlock(window, handle, "wDataの削除ができません", "wData Unlock");
}
