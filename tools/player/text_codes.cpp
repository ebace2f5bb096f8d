#include "text_codes.h"

#include <windows.h>

namespace standin {

namespace {

// Converts in two calls, sizing first; an empty result for empty text or text the code page refuses.
std::wstring Widen(UINT codePage, DWORD flags, std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
    return wide;
}

std::string Narrow(UINT codePage, std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    // UTF-8 takes no default character; the ANSI code page uses its own, '?'.
    const int length = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

}  // namespace

std::wstring WideFromUtf8(std::string_view text) { return Widen(CP_UTF8, 0, text); }
std::string Utf8FromWide(std::wstring_view text) { return Narrow(CP_UTF8, text); }
std::string AnsiFromWide(std::wstring_view text) { return Narrow(CP_ACP, text); }
std::wstring WideFromAnsi(std::string_view text) { return Widen(CP_ACP, 0, text); }

std::string Utf8FromFileLine(std::string_view line) {
    if (line.empty() || !Widen(CP_UTF8, MB_ERR_INVALID_CHARS, line).empty()) return std::string(line);
    return Utf8FromWide(WideFromAnsi(line));
}

}  // namespace standin
