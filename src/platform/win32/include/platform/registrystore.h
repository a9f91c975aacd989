// SPDX-License-Identifier: GPL-3.0-or-later
// Where the settings are kept, for messages: on Windows, the current user's registry.
#pragma once

#include <string>

inline std::string RegistryStoreFolder()
{
    return "HKEY_CURRENT_USER";
}
