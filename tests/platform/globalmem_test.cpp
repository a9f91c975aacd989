// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/globalmem.h"

#include <gtest/gtest.h>

TEST(GlobalMemory, BlockKeepsItsSizeAndAddressWhileLocked)
{
    const SIZE_T live = GlobalLiveBlocks();
    HGLOBAL block = GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE, 3307);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 3307u);
    auto* first = static_cast<BYTE*>(GlobalLock(block));
    first[3306] = 0x5A;
    EXPECT_EQ(GlobalLock(block), first);
    EXPECT_TRUE(GlobalUnlock(block));  // still locked once
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GetLastError(), NO_ERROR);
    EXPECT_EQ(GlobalLiveBlocks(), live + 1);
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalLiveBlocks(), live);
}

TEST(GlobalMemory, UnlockingAnUnlockedBlockSetsTheLastError)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 32);
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GetLastError(), ERROR_NOT_LOCKED);
    GlobalFree(block);
}

TEST(GlobalMemory, AFailedFreeReturnsTheHandleAndKeepsTheBlock)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 32);
    const SIZE_T live = GlobalLiveBlocks();
    FailNextGlobalFrees(1);
    EXPECT_EQ(GlobalFree(block), block);
    EXPECT_EQ(GlobalLiveBlocks(), live);
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalLiveBlocks(), live - 1);
}
