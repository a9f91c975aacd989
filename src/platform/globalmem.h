// The platform's global memory service as the relay engine uses it: movable blocks that are
// locked to get their address. Blocks are not zero-filled.
#pragma once

#include "platform/wintypes.h"

struct GlobalBlock;
using HGLOBAL = GlobalBlock*;

constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_DDESHARE = 0x2000;

constexpr DWORD NO_ERROR = 0;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_NOT_LOCKED = 158;

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
