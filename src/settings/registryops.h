// SPDX-License-Identifier: GPL-3.0-or-later
// The six registry operations that the settings are kept with. Each returns the status of
// the last registry call it made (0 on success). Key paths, value names and texts are cut
// to 255 characters.
#pragma once

#include "platform/registry.h"

#include <string>

LONG CreateUserKey(const std::string& path, HKEY& key);
LONG OpenUserKey(const std::string& path, HKEY& key);
LONG WriteDwordValue(HKEY key, const std::string& name, LONG value);
LONG WriteStringValue(HKEY key, const std::string& name, const std::string& text);
// The target changes only when the value holds exactly 4 bytes, whatever its type.
LONG ReadDwordValue(HKEY key, const std::string& name, LONG& target);
// The target becomes the text up to the first zero byte; it changes only when the value
// holds at least one byte.
LONG ReadStringValue(HKEY key, const std::string& name, std::string& target);
