// SPDX-License-Identifier: GPL-3.0-or-later
// Test helper: saves values V0..V7 under HKEY_CURRENT_USER\Writer over and over, each round
// with the next generation number, until it is killed. A round starts from the generation of
// V7, the last value of the last complete round, so a round cut short is simply redone.
// Prints "ready" once its key is open.
#include "platform/registry.h"

#include <cstdio>
#include <string>

int main()
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Writer", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr)
        != ERROR_SUCCESS)
        return 1;
    DWORD generation = 0;
    DWORD size = sizeof generation;
    RegQueryValueExA(key, "V7", nullptr, nullptr, reinterpret_cast<BYTE*>(&generation), &size);
    std::puts("ready");
    std::fflush(stdout);
    for (;;) {
        ++generation;
        for (int i = 0; i < 8; ++i) {
            std::string name = "V" + std::to_string(i);
            std::string text = "generation " + std::to_string(generation) + std::string(300, '.');
            LSTATUS status =
                i % 2 == 1
                    ? RegSetValueExA(key, name.c_str(), 0, REG_DWORD,
                                     reinterpret_cast<const BYTE*>(&generation), 4)
                    : RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(text.c_str()),
                                     static_cast<DWORD>(text.size() + 1));
            if (status != ERROR_SUCCESS) {
                std::fprintf(stderr, "writer: status %d\n", static_cast<int>(status));
                return 1;
            }
        }
    }
}
