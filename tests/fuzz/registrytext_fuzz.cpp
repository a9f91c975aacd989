// SPDX-License-Identifier: GPL-3.0-or-later
// The REGEDIT4 parser on any bytes: no crash and no sanitizer report; a refusal names its
// line; what parses is written back as text that parses into the same tree and is written
// again unchanged.
#include "platform/registrytext.h"
#include "require.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    RegistryTree tree;
    RegistryTextError error;
    if (!ParseRegistryText({reinterpret_cast<const char*>(data), size}, tree, error)) {
        Require(error.Line > 0 && !error.Reason.empty(), "a refusal names its line and reason");
        return 0;
    }
    const std::string text = FormatRegistryText(tree);
    RegistryTree again;
    Require(ParseRegistryText(text, again, error), "the written text parses");
    Require(again == tree, "the written text holds the same tree");
    Require(FormatRegistryText(again) == text, "writing is stable");
    return 0;
}
