// SPDX-License-Identifier: GPL-3.0-or-later
// The settings loader on a store file of any content: no crash and no sanitizer report, the
// window placed on the screen, a listed device selected in each list, nothing of the file
// lost (a file that does not parse is kept aside whole), and the save leaves a file that
// parses.
#include "platform/registrystore.h"
#include "platform/registrytext.h"
#include "platform/sleep.h"
#include "require.h"
#include "settings/fakesettingswindow.h"
#include "settings/settings.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The loader's 200 ms settle pause would hold the fuzzer to five inputs a second.
void Sleep(DWORD) {}

namespace {
// A settings folder of the run's own, on a memory file system where there is one so that the
// store's fsyncs cost nothing; removed at the end.
class FuzzConfigHome {
public:
    FuzzConfigHome()
    {
        for (const char* base : {"/dev/shm", "/tmp"}) {
            std::string pattern = std::string(base) + "/phonoduct-fuzz-XXXXXX";
            if (mkdtemp(pattern.data())) {
                home = pattern;
                break;
            }
        }
        // Never the user's own settings folder.
        Require(!home.empty(), "a temporary settings folder");
        setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    }
    ~FuzzConfigHome()
    {
        std::error_code ignored;
        std::filesystem::remove_all(home, ignored);
    }

    std::filesystem::path Folder() const { return std::filesystem::path(home) / "phonoduct"; }

private:
    std::string home;
};

FuzzConfigHome config;

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> SetAside()
{
    std::vector<std::string> texts;
    for (const auto& entry : std::filesystem::directory_iterator(config.Folder()))
        if (entry.path().filename().string().starts_with("registry.reg.bad-"))
            texts.push_back(ReadFile(entry.path()));
    return texts;
}

bool Selected(const FakeSettingsWindow& window, DeviceList list)
{
    const int selection = window.ListSelection(list);
    return selection >= 0 && static_cast<std::size_t>(selection) < window.items.at(list).size();
}

bool Keeps(const RegistryTree& store, const RegistryTree& original)
{
    for (const RegistryKey& key : original.Keys)
        for (const RegistryValue& value : key.Values) {
            const RegistryValue* kept = FindValue(store, key.Path, value.Name);
            if (!kept || *kept != value)
                return false;
        }
    return true;
}
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::filesystem::remove_all(config.Folder());
    std::filesystem::create_directories(config.Folder());
    std::ofstream(config.Folder() / "registry.reg", std::ios::binary) << text;

    FakeSettingsWindow window;
    SettingsState state;
    LoadSettings(window, state);
    Require(window.left >= 0 && window.left <= window.screenWidth - window.width,
            "the window is placed on the screen");
    Require(window.top >= 0 && window.top <= window.screenHeight - window.height,
            "the window is placed on the screen");
    Require(Selected(window, DeviceList::outputList) && Selected(window, DeviceList::inputList),
            "a listed device is selected");

    RegistryTree original;
    RegistryTextError error;
    const bool parses = ParseRegistryText(text, original, error);
    const auto aside = SetAside();
    Require(parses ? aside.empty() : aside == std::vector<std::string>{text},
            "a file that does not parse is kept aside whole");
    RegistryTree store;
    Require(ReadRegistryStore(store) == ERROR_SUCCESS, "the loaded store reads");
    Require(!parses || Keeps(store, original), "every stored value is kept");

    SaveSettings(window, state);
    Require(ReadRegistryStore(store) == ERROR_SUCCESS && SetAside().size() == aside.size(),
            "the saved store parses");
    return 0;
}
