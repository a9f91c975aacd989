// SPDX-License-Identifier: GPL-3.0-or-later
// What the engine's release of its blocks relies on in the platform's global memory service.
#include <windows.h>

#include <gtest/gtest.h>

TEST(GlobalMemory, TheLastUnlockClearsTheLastErrorSoThatTheBlockIsFreed)
{
    HGLOBAL block = GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE, 3307);
    ASSERT_NE(block, nullptr);
    EXPECT_GE(GlobalSize(block), 3307u);
    ASSERT_NE(GlobalLock(block), nullptr);
    SetLastError(ERROR_INVALID_HANDLE);
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(GlobalFree(block), nullptr);

    HGLOBAL unlocked = GlobalAlloc(GMEM_MOVEABLE, 32);
    EXPECT_FALSE(GlobalUnlock(unlocked));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
    GlobalFree(unlocked);
}
