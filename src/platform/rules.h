// SPDX-License-Identifier: GPL-3.0-or-later
// Rules about threads and locks, checked where they apply: in every build but Release (the
// build defines PHONODUCT_CHECK_RULES) a broken rule names itself on stderr and aborts.
#pragma once

#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void BreakRule(const char* rule, const char* file, int line)
{
    std::fprintf(stderr, "phonoduct: rule broken at %s:%d: %s\n", file, line, rule);
    std::abort();
}

#ifdef PHONODUCT_CHECK_RULES
#define CHECK_RULE(condition, rule) \
    ((condition) ? static_cast<void>(0) : BreakRule(rule, __FILE__, __LINE__))
#else
#define CHECK_RULE(condition, rule) static_cast<void>(0)
#endif
