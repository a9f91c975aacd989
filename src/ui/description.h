// SPDX-License-Identifier: GPL-3.0-or-later
// The main window described once: the window itself and its fifteen controls, for every
// toolkit that draws it and every test that reads it back.
#pragma once

#include "ui/ductcontrols.h"

#include <array>

// The two faces the window uses: the locale step picks one for every control with a text.
constexpr const char* WesternFace = "Times New Roman";
constexpr const char* JapaneseFace = "ＭＳ Ｐゴシック";

enum class ControlKind { deviceList, rateButton, checkBox, slider, pushButton, panelLabel, frame };

// Pixels of the client area at 96 pixels per inch.
struct Rect {
    int left, top, width, height;
};

// A face and its character height in pixels; a control without a face takes none of its own.
struct FontDescription {
    const char* face;
    int pixels;
};

struct ControlDescription {
    Control role;
    const char* name;  // the role as tools and tests name the control
    ControlKind kind;
    Rect rect;
    const char* caption;  // UTF-8, a doubled "&&" shows as one and makes no accelerator
    bool checked;         // the rate buttons and check boxes
    FontDescription font;
    const char* japaneseHint;  // shown on a Japanese system; none elsewhere
    bool inputMethodOff;       // while it has the keyboard focus
};

struct WindowDescription {
    const char* caption;
    Rect rect;  // the outer position and the client size
    FontDescription font;
};

struct SliderDescription {
    int minimum, maximum, position, lineStep, pageStep, tickStep;
};

extern const WindowDescription MainWindow;

// Every control is enabled when made; they are listed in tab order, by role.
extern const std::array<ControlDescription, ControlCount> MainControls;

// The block-length slider: vertical, minimum at the top end, ticks on its right.
extern const SliderDescription BlockLengthSlider;

// The entries of a device list.
constexpr int ListItemHeight = 12;

const ControlDescription& Describe(Control control);
