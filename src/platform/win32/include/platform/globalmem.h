// SPDX-License-Identifier: GPL-3.0-or-later
// On Windows the platform's own global memory service replaces ours.
#pragma once

#include <windows.h>
