// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/icon.h"

#include "ui/phonoduct.xpm"

QPixmap ProgramIcon()
{
    return QPixmap(phonoduct_xpm);
}
