// SPDX-License-Identifier: GPL-3.0-or-later
// The registry tree as REGEDIT4 text, the registry editor's own export format, so that the
// store can be read and edited by hand. Strings keep any byte but zero: those that a quoted
// text cannot hold are written as hex(1) byte lists.
#pragma once

#include "platform/registrytree.h"

#include <string>
#include <string_view>

struct RegistryTextError {
    int Line = 0;
    std::string Reason;
};

// False, with the line and the reason, for text that is not REGEDIT4 of keys under
// HKEY_CURRENT_USER; `tree` is then incomplete.
bool ParseRegistryText(std::string_view text, RegistryTree& tree, RegistryTextError& error);
std::string FormatRegistryText(const RegistryTree& tree);
