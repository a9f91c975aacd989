// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about.h"

#include <string_view>

namespace {
constexpr std::string_view RevisionText = "$Revision: 1.19 $";
}

const char* const ProgramNameLine = "Phonoduct for Windows95";
const char* const AuthorLine = "Phonoduct team";
const char* const ContactLine = "phonoduct@example.org";

std::string VersionCaption()
{
    const std::size_t blank = RevisionText.find(' ');
    return "Version " + std::string(RevisionText.substr(blank + 1, 4));
}

int CentredEdge(int screen, int outer)
{
    return screen / 2 - outer / 2;
}

void ABOnCreate(AboutWindow& box)
{
    box.SetVersionCaption(VersionCaption());
    const Placement place = box.Place();
    const int top = CentredEdge(place.screenHeight, place.outerHeight);
    box.MoveTo(place.left, top);
    box.MoveTo(CentredEdge(place.screenWidth, place.outerWidth), top);
}

void ShowAboutBox(AboutWindow& box)
{
    if (!box.IsShown())
        ABOnCreate(box);
    box.SetShown(true);
}
