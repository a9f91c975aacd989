// SPDX-License-Identifier: GPL-3.0-or-later
// On Windows the platform's own Sleep replaces ours.
#pragma once

#include <windows.h>
