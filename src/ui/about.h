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

// Where a window is and how large it and the screen are, in pixels.
struct Placement {
    int left, top;
    int outerWidth, outerHeight;  // with its frame
    int screenWidth, screenHeight;
};

// What the box's logic reads and sets on the toolkit's box.
class AboutWindow {
public:
    virtual ~AboutWindow() = default;

    virtual void SetVersionCaption(const std::string& caption) = 0;
    virtual bool IsShown() const = 0;
    virtual Placement Place() const = 0;
    // The top-left corner of its frame.
    virtual void MoveTo(int left, int top) = 0;
    // Shown: visible and to the front, the keyboard focus on its OK button.
    virtual void SetShown(bool shown) = 0;
};

// Sets the version label and centres the box: when it is made, and at every showing.
void ABOnCreate(AboutWindow& box);

// Shows the box without waiting for it; a box that was hidden is centred again first.
void ShowAboutBox(AboutWindow& box);
