// SPDX-License-Identifier: GPL-3.0-or-later
// HKEY_CURRENT_USER kept in ${XDG_CONFIG_HOME:-$HOME/.config}/phonoduct/registry.reg. Every
// call holds a lock (registry.reg.lock) and reads the file afresh; a change replaces the file
// atomically, so programs writing at once neither tear it nor lose each other's values.
// A file that does not parse is moved aside (never overwritten) and reported on stderr.
#pragma once

#include "platform/registrytree.h"

#include <functional>
#include <string>

std::string RegistryStoreFolder();

// ERROR_SUCCESS with an empty tree when there is no store yet.
LONG ReadRegistryStore(RegistryTree& tree);

// Runs `change` on the current tree and, when it succeeds and changed the tree, writes the
// result. Creates the folder when needed.
LONG ChangeRegistryStore(const std::function<LONG(RegistryTree&)>& change);
