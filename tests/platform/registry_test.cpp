// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry.h"
#include "platform/registrystore.h"
#include "platform/registrytext.h"
#include "tempconfighome.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {
class Registry : public testing::Test {
protected:
    HKEY Create(const char* path, DWORD* disposition = nullptr)
    {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, disposition),
                  ERROR_SUCCESS);
        return key;
    }

    LSTATUS SetDword(HKEY key, const char* name, DWORD value)
    {
        return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
    }

    LSTATUS SetBytes(HKEY key, const char* name, DWORD type, const std::string& bytes)
    {
        return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                              static_cast<DWORD>(bytes.size()));
    }

    // The value's bytes read back through the API, or "" with a failed status.
    std::string Query(HKEY key, const char* name, DWORD* type = nullptr)
    {
        DWORD size = 0;
        if (RegQueryValueExA(key, name, nullptr, type, nullptr, &size) != ERROR_SUCCESS)
            return "";
        std::string bytes(size, '\0');
        EXPECT_EQ(RegQueryValueExA(key, name, nullptr, type,
                                   reinterpret_cast<BYTE*>(bytes.data()), &size),
                  ERROR_SUCCESS);
        return bytes;
    }

    TempConfigHome config;
};
}

TEST_F(Registry, CreatesAKeyOnceAndOpensItAndItsParentsAfterwards)
{
    DWORD disposition = 0;
    HKEY key = Create("Software\\Halvorn\\Phonoduct", &disposition);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    const std::string first = config.ReadStore();
    EXPECT_NE(first.find("[HKEY_CURRENT_USER\\Software\\Halvorn\\Phonoduct]"), std::string::npos);

    HKEY again = Create("software\\HALVORN\\phonoduct", &disposition);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    EXPECT_EQ(config.ReadStore(), first);

    HKEY parent = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Halvorn", 0, KEY_ALL_ACCESS, &parent),
              ERROR_SUCCESS);
    HKEY child = nullptr;
    EXPECT_EQ(RegOpenKeyExA(parent, "Phonoduct", 0, KEY_ALL_ACCESS, &child), ERROR_SUCCESS);
    EXPECT_EQ(SetDword(child, "Rate", 2), ERROR_SUCCESS);
    EXPECT_EQ(Query(key, "Rate"), std::string("\x02\0\0\0", 4));
    for (HKEY open : {key, again, parent, child})
        EXPECT_EQ(RegCloseKey(open), ERROR_SUCCESS);
}

TEST_F(Registry, MissingKeysAndValuesAreNotFoundAndReadingWritesNothing)
{
    HKEY key = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Nothing", 0, KEY_ALL_ACCESS, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(HKEY_CURRENT_USER, "Rate", nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(std::filesystem::exists(config.Folder()));

    key = Create("Software\\Something");
    EXPECT_EQ(RegQueryValueExA(key, "Rate", nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    HKEY deeper = key;
    EXPECT_EQ(RegOpenKeyExA(key, "Deeper", 0, KEY_ALL_ACCESS, &deeper), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(deeper, nullptr);
    RegCloseKey(key);
}

TEST_F(Registry, QueriesReportTypeAndSizeAndRefuseSmallBuffers)
{
    HKEY key = Create("K");
    ASSERT_EQ(SetBytes(key, "Name", REG_SZ, std::string("Speakers\0", 9)), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "NAME", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 9u);
    BYTE small[4] = {1, 2, 3, 4};
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, nullptr, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 9u);
    DWORD reserved = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Name", &reserved, nullptr, nullptr, &size),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, nullptr, small, nullptr),
              ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
}

TEST_F(Registry, ValuesKeepEveryByteTheirTypeAndTheCaseOfTheirName)
{
    std::string everyByte;
    for (int b = 1; b < 256; ++b)
        everyByte += static_cast<char>(b);
    const struct {
        const char* name;
        DWORD type;
        std::string bytes;
    } values[] = {
        {"EveryByte", REG_SZ, everyByte + '\0'},
        {"Path", REG_SZ, std::string("C:\\Mic \"1\" \xC3\xA4") + '\0'},
        {"NoZero", REG_SZ, "abc"},
        {"Blob", REG_BINARY, std::string("\0\xFF", 2)},
        {"Wide", REG_QWORD, std::string(8, '\x11')},
        {"", REG_DWORD, std::string("\1\0\0\0", 4)},
    };
    HKEY key = Create("Software\\Values");
    for (const auto& v : values)
        ASSERT_EQ(SetBytes(key, v.name, v.type, v.bytes), ERROR_SUCCESS) << v.name;
    ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Values", 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    for (const auto& v : values) {
        DWORD type = 0;
        EXPECT_EQ(Query(key, v.name, &type), v.bytes) << v.name;
        EXPECT_EQ(type, v.type) << v.name;
    }
    EXPECT_EQ(SetDword(key, "everybyte", 5), ERROR_SUCCESS);
    RegCloseKey(key);
    const std::string text = config.ReadStore();
    EXPECT_NE(text.find("\"EveryByte\"=dword:00000005\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Path\"=\"C:\\\\Mic \\\"1\\\" \xC3\xA4\"\n"), std::string::npos) << text;
}

TEST_F(Registry, ClosedOrUnknownHandlesAreRefused)
{
    HKEY key = Create("K");
    ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "V", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(SetDword(key, "V", 1), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
    EXPECT_EQ(SetDword(nullptr, "V", 1), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
}

TEST_F(Registry, RefusesBadPathsNamesAndData)
{
    HKEY key = nullptr;
    for (const char* path : {"\\Lead", "A\\\\B", "Trail\\", "Line\nBreak"})
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr),
                  ERROR_BAD_PATHNAME)
            << path;
    key = Create("K");
    EXPECT_EQ(RegSetValueExA(key, "V", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(SetBytes(key, "Line\nBreak", REG_SZ, "x"), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(SetBytes(key, "Huge", REG_BINARY, std::string(MaxValueDataBytes + 1, 'x')),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(SetBytes(key, "Largest", REG_BINARY, std::string(MaxValueDataBytes, 'x')),
              ERROR_SUCCESS);
    EXPECT_EQ(Query(key, "Largest").size(), MaxValueDataBytes);
    RegCloseKey(key);
}

TEST_F(Registry, AnUnwritableStoreIsAccessDeniedAndLeftAlone)
{
    std::ofstream(config.Folder()) << "a file where the folder should be";
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "K", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(SetDword(HKEY_CURRENT_USER, "V", 1), ERROR_ACCESS_DENIED);
    EXPECT_EQ(TempConfigHome::ReadFile(config.Folder()), "a file where the folder should be");
}

TEST_F(Registry, ACorruptFileIsMovedAsideUnchangedAndReportedOnce)
{
    const std::string corrupt = "REGEDIT4\n[HKEY_CURRENT_USER]\n\"Rate\"=dword:three\n";
    config.WriteStore(corrupt);
    testing::internal::CaptureStderr();
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Rate", nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    const std::string message = testing::internal::GetCapturedStderr();

    ASSERT_EQ(config.SetAside().size(), 1u);
    const std::string aside = *config.SetAside().begin();
    EXPECT_FALSE(std::filesystem::exists(config.StoreFile()));
    EXPECT_EQ(TempConfigHome::ReadFile(config.Folder() + "/" + aside), corrupt);
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    EXPECT_NE(message.find("line 3"), std::string::npos) << message;
    EXPECT_NE(message.find(aside), std::string::npos) << message;

    // A second bad file, perhaps within the same second, keeps the first one.
    config.WriteStore("garbage");
    testing::internal::CaptureStderr();
    EXPECT_EQ(SetDword(key, "Rate", 3), ERROR_SUCCESS);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(config.SetAside().size(), 2u);
    EXPECT_EQ(TempConfigHome::ReadFile(config.Folder() + "/" + aside), corrupt);
    EXPECT_EQ(Query(key, "Rate"), std::string("\3\0\0\0", 4));
    RegCloseKey(key);
}

// Each child writes its own values and reads each back at once: a writer that lost the
// other's change, or read a half-written file, would see an older value.
TEST_F(Registry, ProgramsWritingAtOnceLoseNothing)
{
    constexpr int Children = 3;
    constexpr DWORD Writes = 60;
    const char* names[Children] = {"First", "Second", "Third"};
    pid_t children[Children];
    for (int c = 0; c < Children; ++c) {
        children[c] = fork();
        ASSERT_GE(children[c], 0);
        if (children[c] != 0)
            continue;
        int failures = 0;
        for (DWORD n = 1; n <= Writes; ++n) {
            DWORD back = 0;
            DWORD size = sizeof back;
            failures += SetDword(HKEY_CURRENT_USER, names[c], n) != ERROR_SUCCESS;
            failures += RegQueryValueExA(HKEY_CURRENT_USER, names[c], nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(&back), &size)
                        != ERROR_SUCCESS;
            failures += back != n;
        }
        _exit(failures == 0 ? 0 : 1);
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (const char* name : names)
        EXPECT_EQ(Query(HKEY_CURRENT_USER, name), std::string("\x3C\0\0\0", 4)) << name;
}
