// SPDX-License-Identifier: GPL-3.0-or-later
// The program's icon: one 32 x 32, 16-colour image for the windows and the desktop entry.
#pragma once

#include <QPixmap>

QPixmap ProgramIcon();
