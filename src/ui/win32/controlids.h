// SPDX-License-Identifier: GPL-3.0-or-later
// The child-window identifiers of the main window's controls: the window's own, and the
// handle by which tools find its controls from outside.
#pragma once

#include "ui/ductcontrols.h"

constexpr int ControlId(Control control)
{
    return 100 + static_cast<int>(control);
}
