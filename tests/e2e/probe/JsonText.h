// The probes' two ends of a text: a JSON string written in ASCII (every other letter as
// \uXXXX, so no code page of the console can change it), and an argument given the same way
// by the harness, whose command lines pass through Wine's ANSI code page.
#pragma once

#include <cstdio>
#include <cwchar>
#include <string>

inline std::string JsonQuoted(const std::wstring& value) {
    std::string out = "\"";
    for (wchar_t c : value) {
        if (c == L'"' || c == L'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c) & 0xFFFF);
            out += buffer;
        }
    }
    return out + "\"";
}

inline std::wstring Unescaped(const std::wstring& text) {
    std::wstring result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\\' && i + 5 < text.size() && text[i + 1] == L'u') {
            const std::wstring digits = text.substr(i + 2, 4);
            wchar_t* end = nullptr;
            const unsigned long code = std::wcstoul(digits.c_str(), &end, 16);
            if (end && *end == L'\0') {
                result += static_cast<wchar_t>(code);
                i += 5;
                continue;
            }
        }
        result += text[i];
    }
    return result;
}
