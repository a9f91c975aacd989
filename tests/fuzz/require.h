// SPDX-License-Identifier: GPL-3.0-or-later
// What a fuzz target checks of every input: a failed check ends the process as a crash, so
// that libFuzzer keeps the input and the regression runner reports it.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void Require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}
