#include "code_pages.h"

#include <windows.h>

#include <algorithm>

#include "pure/text.h"

namespace host {

namespace {

std::string Narrow(UINT codePage, std::string_view utf8) {
    const std::wstring wide = WideFromUtf8(utf8);
    if (wide.empty()) return {};
    const int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string narrow(static_cast<size_t>(std::max(length, 0)), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), narrow.data(), length, nullptr,
                        nullptr);
    return narrow;
}

}  // namespace

std::string Utf8FromAnsi(std::string_view text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(std::max(length, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return Utf8FromWide(wide);
}

std::string AnsiFromUtf8(std::string_view text) { return Narrow(CP_ACP, text); }

std::string SystemOemFromUtf8(std::string_view text) { return Narrow(CP_OEMCP, text); }

}  // namespace host
