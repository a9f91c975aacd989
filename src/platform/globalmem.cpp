// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/globalmem.h"

#include <atomic>
#include <memory>
#include <new>

struct GlobalBlock {
    SIZE_T size;
    UINT locks;
    std::unique_ptr<BYTE[]> data;
};

namespace {
thread_local DWORD lastError = NO_ERROR;
std::atomic<SIZE_T> liveBlocks{0};
std::atomic<int> failingFrees{0};
}

HGLOBAL GlobalAlloc(UINT, SIZE_T dwBytes)
{
    // An empty request still gets an address, as the platform's does.
    auto* data = new (std::nothrow) BYTE[dwBytes == 0 ? 1 : dwBytes];
    auto* block = data ? new (std::nothrow) GlobalBlock{dwBytes, 0, std::unique_ptr<BYTE[]>(data)}
                       : nullptr;
    if (!block) {
        delete[] data;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    ++liveBlocks;
    return block;
}

LPVOID GlobalLock(HGLOBAL hMem)
{
    if (!hMem) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    ++hMem->locks;
    return hMem->data.get();
}

BOOL GlobalUnlock(HGLOBAL hMem)
{
    if (!hMem) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    if (hMem->locks == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return false;
    }
    SetLastError(NO_ERROR);
    return --hMem->locks != 0;
}

SIZE_T GlobalSize(HGLOBAL hMem)
{
    return hMem ? hMem->size : 0;
}

HGLOBAL GlobalFree(HGLOBAL hMem)
{
    if (!hMem)
        return nullptr;
    if (failingFrees > 0) {
        --failingFrees;
        SetLastError(ERROR_INVALID_HANDLE);
        return hMem;
    }
    delete hMem;
    --liveBlocks;
    return nullptr;
}

DWORD GetLastError()
{
    return lastError;
}

void SetLastError(DWORD dwErrCode)
{
    lastError = dwErrCode;
}

SIZE_T GlobalLiveBlocks()
{
    return liveBlocks;
}

void FailNextGlobalFrees(int count)
{
    failingFrees = count;
}
