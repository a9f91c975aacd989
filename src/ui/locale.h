// SPDX-License-Identifier: GPL-3.0-or-later
// The locale step of the main window's creation: Japanese hints and face name in the
// Japanese time zone, "Times New Roman" and no hints elsewhere; 9 points on every control
// but the slider.
#pragma once

#include "ui/ductcontrols.h"

void LocaleStep(DuctControls& controls, bool japaneseZone);
