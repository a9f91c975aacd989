// The locale step of the main window's creation: Japanese hints and face name in the
// Japanese time zone, "Times New Roman" and no hints elsewhere; 9 points on every control
// but the slider.
#pragma once

class TDuctForm;

void LocaleStep(TDuctForm& form, bool japaneseZone);

// Maps the Windows face names that the windows ask for to installed look-alikes.
void MapWindowsFaceNames();
