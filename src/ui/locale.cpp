// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/locale.h"

#include "ui/description.h"

void LocaleStep(DuctControls& controls, bool japaneseZone)
{
    if (japaneseZone)
        for (const ControlDescription& d : MainControls)
            if (d.japaneseHint)
                controls.SetHint(d.role, d.japaneseHint);
    // Every control with a text of its own: all but the slider.
    const std::string face = japaneseZone ? JapaneseFace : WesternFace;
    for (const ControlDescription& d : MainControls) {
        if (!d.font.face)
            continue;
        controls.SetFaceName(d.role, face);
        controls.SetPointSize(d.role, 9);
    }
}
