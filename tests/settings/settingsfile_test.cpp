// SPDX-License-Identifier: GPL-3.0-or-later
// What the settings do with the REGEDIT4 file that keeps the registry on Linux: a file
// that does not parse, and a folder that cannot be written.
#include "settings/settings.h"
#include "fakesettingswindow.h"
#include "platform/registrystore.h"
#include "platform/registrytext.h"
#include "platform/tempconfighome.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {
class SettingsFile : public testing::Test {
protected:
    void TearDown() override
    {
        if (state.SettingsKey)
            RegCloseKey(state.SettingsKey);
    }

    TempConfigHome config;
    FakeSettingsWindow window;
    SettingsState state;
};
}

TEST_F(SettingsFile, ACorruptStoreIsKeptAsideAndTheDefaultsAreUsed)
{
    const std::string corrupt = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Halvorn\\Phonoduct]\n"
                                "\"Buffers\"=dword:00000002\n\"InputDevice\"=\"Line In\n";
    config.WriteStore(corrupt);
    testing::internal::CaptureStderr();
    LoadSettings(window, state);
    const std::string message = testing::internal::GetCapturedStderr();

    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    const std::set<std::string> aside = config.SetAside();
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(TempConfigHome::ReadFile(config.Folder() + "/" + *aside.begin()), corrupt);
    RegistryTree tree;
    RegistryTextError error;
    ASSERT_TRUE(ParseRegistryText(config.ReadStore(), tree, error)) << error.Reason;
    EXPECT_EQ(tree.Keys.back().Values.size(), 8u);
    EXPECT_EQ(window.bufset, 7);
}

TEST_F(SettingsFile, AnUnwritableConfigFolderEndsTheProgramAndWritesNothing)
{
    const std::string home = config.Home();
    const struct {
        const char* what;
        std::string file;  // a file where a folder should be
    } cases[] = {{"the config home is a file", home + "/config-file"},
                 {"the settings folder is a file", home + "/phonoduct"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::ofstream(c.file) << "kept";
        if (c.file != config.Folder())
            setenv("XDG_CONFIG_HOME", c.file.c_str(), 1);
        const std::string folder = RegistryStoreFolder();
        window.haltExits = true;
        EXPECT_EXIT(LoadSettings(window, state), testing::ExitedWithCode(0),
                    testing::AllOf(testing::HasSubstr(folder),
                                   testing::Truly([](const std::string& err) {
                                       return std::count(err.begin(), err.end(), '\n') == 1;
                                   })));
        EXPECT_EQ(TempConfigHome::ReadFile(c.file), "kept");
        std::set<std::string> entries;
        for (const auto& entry : std::filesystem::directory_iterator(home))
            entries.insert(entry.path().filename().string());
        EXPECT_EQ(entries, (std::set<std::string>{std::filesystem::path(c.file).filename()}));
        std::filesystem::remove(c.file);
        setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    }
}
