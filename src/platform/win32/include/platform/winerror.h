// SPDX-License-Identifier: GPL-3.0-or-later
// On Windows the platform's own status codes replace ours.
#pragma once

#include <windows.h>
