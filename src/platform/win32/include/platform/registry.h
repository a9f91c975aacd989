// SPDX-License-Identifier: GPL-3.0-or-later
// On Windows the platform's own registry (advapi32) replaces our REGEDIT4 store.
#pragma once

#include <windows.h>
