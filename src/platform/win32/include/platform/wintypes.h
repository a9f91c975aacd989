// SPDX-License-Identifier: GPL-3.0-or-later
// On Windows the platform's own base types replace ours, and the callback window is a real
// window: the service posts its notifications to it with PostMessage.
#pragma once

#include <windows.h>
