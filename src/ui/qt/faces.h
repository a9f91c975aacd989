// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows face names that the windows ask for, mapped to installed look-alikes.
#pragma once

void MapWindowsFaceNames();
