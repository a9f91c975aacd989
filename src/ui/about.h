// SPDX-License-Identifier: GPL-3.0-or-later
// What the About box shows and where, whatever toolkit draws it.
#pragma once

#include <string>

// The box's fixed lines.
extern const char* const ProgramNameLine;  // "Phonoduct for Windows95"
extern const char* const AuthorLine;
extern const char* const ContactLine;

// "Version " and the version number cut from the revision text: "Version 1.19".
std::string VersionCaption();

// Where a window's edge goes to centre it on the screen: each half taken on its own.
int CentredEdge(int screen, int outer);
