// SPDX-License-Identifier: GPL-3.0-or-later
// A fresh XDG_CONFIG_HOME for one test, so that the registry store lives in a folder of its
// own; removed with everything in it afterwards.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

class TempConfigHome {
public:
    TempConfigHome()
    {
        char pattern[] = "/tmp/phonoduct-config-XXXXXX";
        // Without a folder of its own the store would be the user's real one: stop instead.
        if (!mkdtemp(pattern)) {
            std::perror("phonoduct tests: no temporary settings folder");
            std::abort();
        }
        home = pattern;
        setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    }
    TempConfigHome(const TempConfigHome&) = delete;
    TempConfigHome& operator=(const TempConfigHome&) = delete;
    ~TempConfigHome()
    {
        std::error_code ignored;
        std::filesystem::remove_all(home, ignored);
    }

    std::string Home() const { return home; }
    std::string Folder() const { return home + "/phonoduct"; }
    std::string StoreFile() const { return Folder() + "/registry.reg"; }

    // The file's bytes, or "" when there is none.
    std::string ReadStore() const { return ReadFile(StoreFile()); }

    void WriteStore(const std::string& text) const
    {
        std::filesystem::create_directories(Folder());
        std::ofstream(StoreFile(), std::ios::binary) << text;
    }

    // The names of the bad store files that were moved aside.
    std::set<std::string> SetAside() const
    {
        std::set<std::string> names;
        std::error_code missing;
        for (const auto& entry : std::filesystem::directory_iterator(Folder(), missing))
            if (entry.path().filename().string().starts_with("registry.reg.bad-"))
                names.insert(entry.path().filename().string());
        return names;
    }

    static std::string ReadFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::string home;
};
