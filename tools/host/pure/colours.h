// The host's colour list. Modules ask for entries by index (HostControl command 4); the host's own
// screens, message boxes and dialogs use them too. Attributes: low nibble foreground, high nibble
// background, in the console's 16 colours.
#pragma once

#include <cstdint>

namespace host {

namespace colour {
constexpr int BackdropText = 0;        // file names in the two panes
constexpr int BackdropFrame = 1;       // pane frames
constexpr int BackdropHeading = 2;     // pane headings and column titles
constexpr int BackdropCursor = 3;      // the highlighted file
constexpr int BackdropFolder = 4;      // folder names
constexpr int TitleBar = 5;            // top row
constexpr int KeyNumber = 6;           // key bar: the key's name
constexpr int KeyLabel = 7;            // key bar: what the key does
constexpr int StatusLine = 8;          // the row above the key bar
constexpr int StatusNotice = 9;        // a notice in the status row
constexpr int MessageText = 10;        // message box: frame, text and buttons
constexpr int MessageFocus = 11;       // message box: the focused button
constexpr int WarningText = 12;        // warning box: frame, text and buttons
constexpr int WarningFocus = 13;       // warning box: the focused button
constexpr int HelpText = 14;           // help viewer: text
constexpr int HelpHighlight = 15;      // help viewer: emphasised text and the selected link
constexpr int HelpFrame = 16;          // help viewer: frame and title
constexpr int HelpLink = 17;           // help viewer: a link
constexpr int HelpSelectedLink = 18;   // help viewer: the link Enter follows
constexpr int DialogBox = 20;          // dialog: background and frame
constexpr int DialogText = 21;         // dialog: text items
constexpr int DialogHighlight = 22;    // dialog: hot-key letters
constexpr int DialogFrame = 23;        // dialog: frame lines
constexpr int DialogTitle = 24;        // dialog: frame title
constexpr int DialogDisabled = 25;     // dialog: disabled items
constexpr int DialogEdit = 26;         // dialog: edit fields
constexpr int DialogSelected = 27;     // dialog: the focused check box or radio button
constexpr int DialogButton = 29;       // dialog: buttons
constexpr int DialogFocusButton = 30;  // dialog: the focused button
constexpr int DialogSeparator = 31;    // dialog: separator lines
constexpr int Count = 32;
}  // namespace colour

inline constexpr uint8_t hostColours[colour::Count] = {
    0x1B,  //  0 backdrop text: light cyan on blue
    0x1B,  //  1 backdrop frame
    0x1E,  //  2 backdrop heading: yellow on blue
    0x30,  //  3 backdrop cursor: black on cyan
    0x1F,  //  4 backdrop folder: white on blue
    0x30,  //  5 title bar: black on cyan
    0x07,  //  6 key number: grey on black
    0x30,  //  7 key label: black on cyan
    0x07,  //  8 status line: grey on black
    0x0E,  //  9 status notice: yellow on black
    0x70,  // 10 message box: black on grey
    0x30,  // 11 message box focus: black on cyan
    0x4F,  // 12 warning box: white on red
    0x70,  // 13 warning box focus: black on grey
    0x30,  // 14 help text: black on cyan
    0x3F,  // 15 help highlight: white on cyan
    0x3F,  // 16 help frame
    0x3E,  // 17 help link: yellow on cyan
    0x0E,  // 18 help selected link: yellow on black
    0x07,  // 19 unused
    0x3F,  // 20 dialog box: white on cyan
    0x30,  // 21 dialog text: black on cyan
    0x3E,  // 22 dialog highlight: yellow on cyan
    0x3F,  // 23 dialog frame: white on cyan
    0x3E,  // 24 dialog title: yellow on cyan
    0x38,  // 25 dialog disabled: dark grey on cyan
    0x1F,  // 26 dialog edit: white on blue
    0x3F,  // 27 dialog selected: white on cyan
    0x07,  // 28 unused
    0x2F,  // 29 dialog button: white on green
    0x1F,  // 30 dialog focused button: white on blue
    0x3F,  // 31 dialog separator
};

// The attribute of entry `index`; grey on black for an index the list does not have.
inline uint8_t HostColour(intptr_t index) {
    return index >= 0 && index < colour::Count ? hostColours[index] : uint8_t{0x07};
}

}  // namespace host
