// The player's text in its three codings: UTF-8 inside (and in its log and playlist files), UTF-16 for its
// window and wide questions, the ANSI code page for the old narrow questions and files.
#pragma once

#include <string>
#include <string_view>

namespace standin {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
// Characters that the ANSI code page lacks become '?'.
std::string AnsiFromWide(std::wstring_view text);
std::wstring WideFromAnsi(std::string_view text);

// A line of a playlist file as UTF-8: the line itself when it is valid UTF-8, else read as the ANSI code page
// (files written before the player took UTF-8).
std::string Utf8FromFileLine(std::string_view line);

}  // namespace standin
