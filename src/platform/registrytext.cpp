// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registrytext.h"

#include "platform/registry.h"

#include <cstdio>

namespace {
constexpr std::string_view Header = "REGEDIT4";
constexpr std::string_view RootName = "HKEY_CURRENT_USER";
constexpr std::size_t WrapColumn = 76;

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Reads exactly `digits` hex digits (or 1 to `digits` when `exact` is false).
bool ParseHexNumber(std::string_view text, std::size_t digits, bool exact, DWORD& number)
{
    if (text.empty() || text.size() > digits || (exact && text.size() != digits))
        return false;
    number = 0;
    for (char c : text) {
        int digit = HexDigit(c);
        if (digit < 0)
            return false;
        number = number << 4 | static_cast<DWORD>(digit);
    }
    return true;
}

class Parser {
public:
    Parser(std::string_view text, RegistryTree& tree, RegistryTextError& error)
        : text(text), tree(tree), error(error)
    {
    }

    bool Run()
    {
        std::string_view line;
        if (!NextLine(line) || line != Header) {
            lineNumber = 1;
            return Fail("the first line is not " + std::string(Header));
        }
        while (NextLine(line)) {
            if (line.find('\0') != std::string_view::npos)
                return Fail("a zero byte");
            if (line.empty() || line.front() == ';')
                continue;
            bool ok = line.front() == '[' ? ParseKeyLine(line)
                    : inKey             ? ParseValueLine(line)
                                        : Fail("a value outside any key");
            if (!ok)
                return false;
        }
        return true;
    }

private:
    bool Fail(std::string reason)
    {
        error = {lineNumber, std::move(reason)};
        return false;
    }

    // The next line without its end and surrounding blanks; false at the end of the text.
    bool NextLine(std::string_view& line)
    {
        if (position >= text.size())
            return false;
        std::size_t end = text.find('\n', position);
        if (end == std::string_view::npos)
            end = text.size();
        line = text.substr(position, end - position);
        position = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        line = Trim(line);
        return true;
    }

    bool ParseKeyLine(std::string_view line)
    {
        if (line.size() < 2 || line.back() != ']')
            return Fail("a key line without its closing ']'");
        std::string_view name = line.substr(1, line.size() - 2);
        if (!SameRegistryName(name.substr(0, RootName.size()), RootName))
            return Fail("a key outside " + std::string(RootName));
        std::string_view path = name.substr(RootName.size());
        if (!path.empty()) {
            if (path.front() != '\\' || path.size() == 1)
                return Fail("a bad key name");
            path.remove_prefix(1);
        }
        if (!IsValidKeyPath(path))
            return Fail("a bad key name");
        key = AddKey(tree, path).Path;
        inKey = true;
        return true;
    }

    bool ParseValueLine(std::string_view line)
    {
        RegistryValue value;
        std::string_view rest = line.substr(1);
        if (line.front() == '"') {
            if (!ParseQuoted(rest, value.Name))
                return false;
            if (!IsValidValueName(value.Name))
                return Fail("a bad value name");
        } else if (line.front() != '@') {
            return Fail("neither a key nor a value");
        }
        if (rest.empty() || rest.front() != '=')
            return Fail("a value name without '='");
        if (!ParseData(rest.substr(1), value))
            return false;
        SetValue(tree, key, std::move(value));
        return true;
    }

    // `rest` starts after the opening quote and is left after the closing one.
    bool ParseQuoted(std::string_view& rest, std::string& out)
    {
        for (std::size_t i = 0; i < rest.size(); ++i) {
            char c = rest[i];
            if (c == '"') {
                rest.remove_prefix(i + 1);
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                return Fail("a control byte inside quotes");
            if (c == '\\') {
                if (++i == rest.size() || (rest[i] != '\\' && rest[i] != '"'))
                    return Fail("a bad escape inside quotes");
                c = rest[i];
            }
            out += c;
            if (out.size() >= MaxValueDataBytes)
                return Fail("a text too long");
        }
        return Fail("an unterminated quoted text");
    }

    bool ParseData(std::string_view data, RegistryValue& value)
    {
        if (data.starts_with('"'))
            return ParseStringData(data.substr(1), value);
        if (data.starts_with("dword:")) {
            DWORD number = 0;
            // As the registry editor does, hand-written short numbers are taken too.
            if (!ParseHexNumber(data.substr(6), 8, false, number))
                return Fail("a dword that is not 1 to 8 hex digits");
            value.Type = REG_DWORD;
            for (int shift = 0; shift < 32; shift += 8)
                value.Data.push_back(static_cast<BYTE>(number >> shift));
            return true;
        }
        if (data.starts_with("hex:")) {
            value.Type = REG_BINARY;
            return ParseHexList(data.substr(4), value.Data);
        }
        std::size_t close = data.find("):");
        if (!data.starts_with("hex(") || close == std::string_view::npos
            || !ParseHexNumber(data.substr(4, close - 4), 8, false, value.Type))
            return Fail("an unknown kind of value");
        return ParseHexList(data.substr(close + 2), value.Data);
    }

    bool ParseStringData(std::string_view rest, RegistryValue& value)
    {
        std::string text;
        if (!ParseQuoted(rest, text))
            return false;
        if (!rest.empty())
            return Fail("text after the closing quote");
        value.Type = REG_SZ;
        value.Data.assign(text.begin(), text.end());
        value.Data.push_back(0);
        return true;
    }

    // Two hex digits per byte, separated by commas; a line that ends in ",\" goes on in the
    // next one.
    bool ParseHexList(std::string_view segment, std::vector<BYTE>& bytes)
    {
        bool open = false;  // the last byte had a comma after it
        for (;;) {
            bool more = !segment.empty() && segment.back() == '\\';
            if (more)
                segment = Trim(segment.substr(0, segment.size() - 1));
            if (!ParseHexSegment(segment, bytes, open))
                return false;
            if (!more)
                return open ? Fail("a byte list that ends in a comma") : true;
            if (!open && !bytes.empty())
                return Fail("a line break without a comma before it");
            if (!NextLine(segment))
                return Fail("the text ends inside a byte list");
        }
    }

    bool ParseHexSegment(std::string_view segment, std::vector<BYTE>& bytes, bool& open)
    {
        std::size_t i = 0;
        while (i < segment.size()) {
            if (!bytes.empty() && !open)
                return Fail("bytes without a comma between them");
            DWORD byte = 0;
            if (!ParseHexNumber(segment.substr(i, 2), 2, true, byte))
                return Fail("a byte that is not 2 hex digits");
            bytes.push_back(static_cast<BYTE>(byte));
            if (bytes.size() > MaxValueDataBytes)
                return Fail("a value too long");
            i += 2;
            while (i < segment.size() && IsBlank(segment[i]))
                ++i;
            open = i < segment.size() && segment[i] == ',';
            if (open)
                ++i;
            while (i < segment.size() && IsBlank(segment[i]))
                ++i;
        }
        return true;
    }

    std::string_view text;
    RegistryTree& tree;
    RegistryTextError& error;
    std::size_t position = 0;
    int lineNumber = 0;
    std::string key;
    bool inKey = false;
};

std::string Quote(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// A zero-terminated text without other control bytes, which quotes can hold.
bool IsQuotableText(const std::vector<BYTE>& data)
{
    if (data.empty() || data.back() != 0)
        return false;
    for (std::size_t i = 0; i + 1 < data.size(); ++i)
        if (data[i] < 0x20)
            return false;
    return true;
}

std::string HexList(const std::vector<BYTE>& data, std::size_t column)
{
    std::string out;
    char digits[4];
    for (std::size_t i = 0; i < data.size(); ++i) {
        std::snprintf(digits, sizeof digits, "%02x", data[i]);
        out += digits;
        column += 2;
        if (i + 1 == data.size())
            break;
        out += ',';
        ++column;
        if (column > WrapColumn) {
            out += "\\\n  ";
            column = 2;
        }
    }
    return out;
}

std::string FormatValue(const RegistryValue& value)
{
    std::string line = (value.Name.empty() ? "@" : Quote(value.Name)) + "=";
    if (value.Type == REG_DWORD && value.Data.size() == 4) {
        DWORD number = 0;
        for (int i = 3; i >= 0; --i)
            number = number << 8 | value.Data[i];
        char digits[16];
        std::snprintf(digits, sizeof digits, "dword:%08x", number);
        return line + digits;
    }
    if (value.Type == REG_SZ && IsQuotableText(value.Data))
        return line + Quote({reinterpret_cast<const char*>(value.Data.data()),
                             value.Data.size() - 1});
    if (value.Type == REG_BINARY) {
        line += "hex:";
    } else {
        char prefix[20];
        std::snprintf(prefix, sizeof prefix, "hex(%x):", value.Type);
        line += prefix;
    }
    return line + HexList(value.Data, line.size());
}
}

bool ParseRegistryText(std::string_view text, RegistryTree& tree, RegistryTextError& error)
{
    return Parser(text, tree, error).Run();
}

std::string FormatRegistryText(const RegistryTree& tree)
{
    std::string out(Header);
    out += '\n';
    for (const RegistryKey& key : tree.Keys) {
        out += "\n[" + std::string(RootName) + (key.Path.empty() ? "" : "\\" + key.Path) + "]\n";
        for (const RegistryValue& value : key.Values)
            out += FormatValue(value) + '\n';
    }
    return out;
}
