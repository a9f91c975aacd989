// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's global memory service as the relay engine uses it: movable blocks that are
// locked to get their address. Blocks are not zero-filled.
#pragma once

#include "platform/winerror.h"
#include "platform/wintypes.h"

struct GlobalBlock;
using HGLOBAL = GlobalBlock*;

constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_DDESHARE = 0x2000;

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
LPVOID GlobalLock(HGLOBAL hMem);
// FALSE once the block is no longer locked; the last error is then NO_ERROR, or
// ERROR_NOT_LOCKED if it was not locked at all.
BOOL GlobalUnlock(HGLOBAL hMem);
SIZE_T GlobalSize(HGLOBAL hMem);
// NULL on success; the handle itself on failure.
HGLOBAL GlobalFree(HGLOBAL hMem);

DWORD GetLastError();
void SetLastError(DWORD dwErrCode);

// For tests: blocks allocated and not yet freed, and the next `count` frees made to fail.
SIZE_T GlobalLiveBlocks();
void FailNextGlobalFrees(int count);
