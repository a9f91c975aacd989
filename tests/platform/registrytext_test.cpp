// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry.h"
#include "platform/registrytext.h"

#include <gtest/gtest.h>

#include <random>

namespace {
RegistryValue Text(std::string name, std::string_view text)
{
    RegistryValue value{std::move(name), REG_SZ, {text.begin(), text.end()}};
    value.Data.push_back(0);
    return value;
}

RegistryValue Raw(std::string name, DWORD type, std::vector<BYTE> data)
{
    return {std::move(name), type, std::move(data)};
}

RegistryTree Reparsed(const RegistryTree& tree)
{
    RegistryTree parsed;
    RegistryTextError error;
    EXPECT_TRUE(ParseRegistryText(FormatRegistryText(tree), parsed, error))
        << "line " << error.Line << ": " << error.Reason;
    return parsed;
}

std::vector<BYTE> Bytes(int from, int to)
{
    std::vector<BYTE> bytes;
    for (int b = from; b <= to; ++b)
        bytes.push_back(static_cast<BYTE>(b));
    return bytes;
}
}

TEST(RegistryText, WritesWhatTheRegistryEditorWrites)
{
    RegistryTree tree;
    SetValue(tree, "Software\\Halvorn\\Phonoduct", Raw("Rate", REG_DWORD, {3, 0, 0, 0}));
    SetValue(tree, "Software\\Halvorn\\Phonoduct", Raw("Xpos", REG_DWORD, {0xFB, 0xFF, 0xFF, 0xFF}));
    SetValue(tree, "Software\\Halvorn\\Phonoduct", Text("InputDevice", "C:\\x \"Mic\""));
    SetValue(tree, "", Text("", "two\nlines"));
    SetValue(tree, "", Raw("Blob", REG_BINARY, {0xAB, 0x01}));
    SetValue(tree, "", Raw("Wide", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(FormatRegistryText(tree),
              "REGEDIT4\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software\\Halvorn\\Phonoduct]\n"
              "\"Rate\"=dword:00000003\n"
              "\"Xpos\"=dword:fffffffb\n"
              "\"InputDevice\"=\"C:\\\\x \\\"Mic\\\"\"\n"
              "\n"
              "[HKEY_CURRENT_USER]\n"
              "@=hex(1):74,77,6f,0a,6c,69,6e,65,73,00\n"
              "\"Blob\"=hex:ab,01\n"
              "\"Wide\"=hex(b):01,02,03,04,05,06,07,08\n");
}

TEST(RegistryText, EveryKindOfValueSurvivesARoundTrip)
{
    const std::vector<RegistryValue> values = {
        Text("plain", "Wave Mapper"),
        Text("quotes and backslashes", "\\\"\\\\\"\""),
        Text("UTF-8", "Mikrofon \xC3\xA4 \xE6\x9D\xB1\xE4\xBA\xAC"),
        Text("Shift-JIS with a 0x5C trail byte", "\x83\x5C\x83\x5C\\"),
        Raw("every byte", REG_SZ, Bytes(1, 255)),
        Text("empty", ""),
        Raw("string without its zero", REG_SZ, {'a', 'b'}),
        Raw("string with an inner zero", REG_SZ, {'a', 0, 'b', 0}),
        Raw("string of no bytes", REG_SZ, {}),
        Raw("short dword", REG_DWORD, {1, 2, 3}),
        Raw("empty binary", REG_BINARY, {}),
        Raw("all bytes, wrapped", REG_BINARY, Bytes(0, 255)),
        Raw("highest type", 0xFFFFFFFF, {7}),
        Raw("", REG_DWORD, {0xFF, 0xFF, 0xFF, 0x7F}),
        Raw("name with \" and \\ and ]", REG_DWORD, {0, 0, 0, 0x80}),
    };
    RegistryTree tree;
    for (const RegistryValue& value : values)
        SetValue(tree, "Software\\Odd ] [ name\\\xE6\x9D\xB1", value);
    AddKey(tree, "Empty\\Key");
    SetValue(tree, "", Text("root", "r"));
    EXPECT_EQ(Reparsed(tree), tree);
    const std::string text = FormatRegistryText(tree);
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1)
        EXPECT_LE(end - start, 80u) << text.substr(start, end - start);
}

TEST(RegistryText, ReadsHandEditedFiles)
{
    const std::string text = "REGEDIT4\r\n"
                             "; written by hand\r\n"
                             "\r\n"
                             "  [HKEY_CURRENT_USER\\Software\\A]  \r\n"
                             "\t\"Rate\"=dword:A\r\n"
                             "\"Name\"=\"first\"\r\n"
                             "\"Big\"=hex:01, 02 ,\\\r\n"
                             "      03\r\n"
                             "[hkey_current_user\\SOFTWARE\\a]\r\n"
                             "\"NAME\"=\"second\"\r\n"
                             "\"Four\"=hex(4):04,00,00,00";
    RegistryTree tree;
    RegistryTextError error;
    ASSERT_TRUE(ParseRegistryText(text, tree, error)) << error.Line << ": " << error.Reason;
    ASSERT_EQ(tree.Keys.size(), 1u);
    EXPECT_EQ(tree.Keys[0].Path, "Software\\A");
    EXPECT_EQ(*FindValue(tree, "software\\a", "rate"), Raw("Rate", REG_DWORD, {10, 0, 0, 0}));
    EXPECT_EQ(*FindValue(tree, "Software\\A", "Name"), Text("Name", "second"));
    EXPECT_EQ(*FindValue(tree, "Software\\A", "Big"), Raw("Big", REG_BINARY, {1, 2, 3}));
    EXPECT_EQ(*FindValue(tree, "Software\\A", "Four"), Raw("Four", REG_DWORD, {4, 0, 0, 0}));
}

TEST(RegistryText, ReportsMalformedTextWithItsLine)
{
    const std::string h = "REGEDIT4\n";
    const std::string k = h + "[HKEY_CURRENT_USER]\n";
    const std::string mega(1 << 20, 'A');
    std::string hugeList = k + "\"v\"=hex:";
    for (std::size_t i = 0; i <= MaxValueDataBytes; ++i)
        hugeList += "00,";
    const struct {
        std::string text;
        int line;
    } cases[] = {
        {"", 1},
        {"REGEDIT5\n", 1},
        {"\xEF\xBB\xBFREGEDIT4\n", 1},
        {"Windows Registry Editor Version 5.00\r\n", 1},
        {h + "\"a\"=dword:00000001\n", 2},
        {h + "[HKEY_CURRENT_USER\\So", 2},
        {h + "[HKEY_LOCAL_MACHINE\\Software]", 2},
        {h + "[-HKEY_CURRENT_USER\\Software]", 2},
        {h + "[HKEY_CURRENT_USER\\A\\\\B]", 2},
        {h + "[HKEY_CURRENT_USER\\]", 2},
        {h + "[HKEY_CURRENT_USERS]", 2},
        {h + "[HKEY_CURRENT_USER\\a\tb]", 2},
        {h + "[K]", 2},
        {k + "\"Rate\"=dwo", 3},
        {k + "\"Rate\"=dword:", 3},
        {k + "\"Rate\"=dword:000000001", 3},
        {k + "\"Rate\"=dword:0000000g", 3},
        {k + "\"Name\"=\"abc", 3},
        {k + "\"Name\"=\"a\\nb\"", 3},
        {k + "\"Name\"=\"abc\\", 3},
        {k + "\"Name\"=\"abc\" x", 3},
        {k + "\"Name\"=\"a\tb\"", 3},
        {k + "\"Na\\qme\"=\"x\"", 3},
        {k + "\"Name\"\"=\"x\"", 3},
        {k + "\"Name\"", 3},
        {k + "\"Name\"=-", 3},
        {k + "Name=\"x\"", 3},
        {k + "\"a\"=hex:00,01,\\", 3},
        {k + "\"a\"=hex:00,0", 3},
        {k + "\"a\"=hex:00,,01", 3},
        {k + "\"a\"=hex:00,01,", 3},
        {k + "\"a\"=hex:0001", 3},
        {k + "\"a\"=hex:00 01", 3},
        {k + "\"a\"=hex:00\\\n  01", 3},
        {k + "\"a\"=hex:00,\\\n\n", 4},
        {k + "\"a\"=hex(:00", 3},
        {k + "\"a\"=hex(123456789):00", 3},
        {k + "\"a\"=hex(1g):00", 3},
        {k + "\"a\"=hex(1)00", 3},
        {h + std::string("; a\0b", 5), 2},
        {k + std::string("\"a\"=\"x\0\"", 8), 3},
        {hugeList + "00", 3},
        {k + "\"a\"=\"" + mega + "\"", 3},
        {k + "\"" + std::string(MaxValueNameBytes + 1, 'n') + "\"=\"x\"", 3},
        {k + mega, 3},
        {h + "[" + mega, 2},
        {h + "[HKEY_CURRENT_USER\\" + mega + "]", 2},
    };
    for (const auto& c : cases) {
        RegistryTree tree;
        RegistryTextError error;
        EXPECT_FALSE(ParseRegistryText(c.text, tree, error)) << c.text.substr(0, 80);
        EXPECT_EQ(error.Line, c.line) << c.text.substr(0, 80);
        EXPECT_FALSE(error.Reason.empty());
    }
}

// Damaged files either fail to parse or parse into a tree that is written back unchanged;
// nothing may be read outside the text (the sanitizer build checks that).
TEST(RegistryText, SurvivesRandomDamage)
{
    RegistryTree tree;
    SetValue(tree, "Software\\Halvorn\\Phonoduct", Raw("Rate", REG_DWORD, {3, 0, 0, 0}));
    SetValue(tree, "Software\\Halvorn\\Phonoduct", Text("InputDevice", "Wave \"Mapper\" \\"));
    SetValue(tree, "Software\\Halvorn\\Phonoduct", Text("Lines", "a\nb"));
    SetValue(tree, "Other", Raw("Blob", REG_BINARY, Bytes(0, 200)));
    SetValue(tree, "Other", Raw("Odd", 0x1234, {1, 2}));
    const std::string original = FormatRegistryText(tree);

    std::mt19937 random(20261207);
    int parsed = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string text = original;
        int damages = 1 + static_cast<int>(random() % 4);
        for (int d = 0; d < damages && !text.empty(); ++d) {
            std::size_t at = random() % text.size();
            switch (random() % 5) {
            case 0:
                text[at] = static_cast<char>(random());
                break;
            case 1:
                text.erase(at, random() % 16);
                break;
            case 2:
                text.insert(at, 1 + random() % 8, static_cast<char>(random()));
                break;
            case 3:
                text.insert(at, text.substr(random() % text.size(), random() % 64));
                break;
            default:
                text.resize(at);
                break;
            }
        }
        RegistryTree damaged;
        RegistryTextError error;
        if (!ParseRegistryText(text, damaged, error)) {
            EXPECT_GT(error.Line, 0);
            continue;
        }
        ++parsed;
        EXPECT_EQ(Reparsed(damaged), damaged) << text;
    }
    EXPECT_GT(parsed, 100);
    EXPECT_LT(parsed, 3900);
}

TEST(RegistryText, RandomBytesDoNotParse)
{
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        std::string text = "REGEDIT4\n";
        std::size_t size = 64 + random() % 4032;
        for (std::size_t i = 0; i < size; ++i)
            text += static_cast<char>(random());
        RegistryTree tree;
        RegistryTextError error;
        EXPECT_FALSE(ParseRegistryText(text, tree, error));
    }
}
