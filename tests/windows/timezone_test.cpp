// SPDX-License-Identifier: GPL-3.0-or-later
// The Japanese-system test on the platform's own zone record. The test runs once on a
// Japanese system set to Tokyo (PHONODUCT_JAPANESE set) and once on others.
#include "platform/timezone.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

TEST(WindowsZone, JapaneseExactlyOnAJapaneseSystemInTokyo)
{
    std::string name;
    ASSERT_TRUE(SystemStandardZoneName(name));
    std::printf("standard zone name in the ANSI code page %u:", GetACP());
    for (unsigned char byte : name)
        std::printf(" %02X", byte);
    std::printf("\n");
    EXPECT_EQ(IsJapaneseZone(), std::getenv("PHONODUCT_JAPANESE") != nullptr);
}
