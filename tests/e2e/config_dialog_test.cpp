// The configuration dialog in the real host (quaver-host.exe --configure, or F9 in its menu), worked with
// keys and clicks like a person would, with the module's registry values read back afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "console_session.h"

using e2e::ConsoleSession;

namespace {

constexpr int StatusRow = 23;
constexpr int KeyBarRow = 24;
constexpr WORD DisabledAttribute = 0x38;  // the host's colour for disabled dialog items

// Labels as the dialog shows them (hot-key markers removed), in item order 1 to 13 and 15 to 19.
constexpr char OwnPalette[] = "Use own palette instead of host colours";
constexpr char ShowVersion[] = "Show player version in the title";
constexpr char VersionDigits[] = "Alternative version digits";
constexpr char CloseButton[] = "Show the close button";
constexpr char VolumeArrows[] = "Show the volume arrows";
constexpr char ShuffleRepeat[] = "Show shuffle and repeat";
constexpr char WideTrack[] = "Three-digit track number";
constexpr char StartPlayer[] = "Start the player when it is missing";
constexpr char OnlyOnCommand[] = "...only when a command needs it";
constexpr char PlainLabels[] = "Plain text button labels";
constexpr char ScrollTitle[] = "Scroll the title line";
constexpr char RunningText[] = "Running text";
constexpr char BackAndForth[] = "Back and forth";
constexpr char Elapsed[] = "Elapsed time";
constexpr char Remaining[] = "Remaining time";

struct Place {
    int x = -1, y = -1;
};

Place Find(const ConsoleSession& session, const std::string& text) {
    const int y = session.FindRow(text);
    if (y < 0) return {};
    return {static_cast<int>(session.Row(y).find(text)), y};
}

// The box before the label: "[x] " or "[ ] " for a check box, "(\x07) " (the code page's bullet) or "( ) "
// for a radio button; empty when the label is not on the screen.
std::string Face(const ConsoleSession& session, const char* label) {
    const Place at = Find(session, label);
    return at.y < 0 || at.x < 4 ? std::string() : session.Text(at.x - 4, at.y, 4);
}
// Each of these is false when the label is missing, so its negation is never asked for.
bool Checked(const ConsoleSession& session, const char* label) {
    const std::string face = Face(session, label);
    return face == "[x] " || face == "(\x07) ";
}
bool Unchecked(const ConsoleSession& session, const char* label) {
    const std::string face = Face(session, label);
    return face == "[ ] " || face == "( ) ";
}
bool HasAttribute(const ConsoleSession& session, const char* label, bool disabled) {
    const Place at = Find(session, label);
    return at.y >= 0 && (session.Attribute(at.x, at.y) == DisabledAttribute) == disabled;
}
bool Disabled(const ConsoleSession& session, const char* label) { return HasAttribute(session, label, true); }
bool Enabled(const ConsoleSession& session, const char* label) { return HasAttribute(session, label, false); }

void ClickOn(ConsoleSession& session, const std::string& text) {
    const Place at = Find(session, text);
    ASSERT_GE(at.y, 0) << "no \"" << text << "\" on the screen:\n" << session.Dump();
    session.Click(at.x + 1, at.y);
}

// In the form the run's module keeps them: 32-bit values, or the host's 64-bit numbers.
DWORD Stored(const char* name) {
    DWORD value = 0xDEAD;
    e2e::ReadModuleSetting(name, &value);
    return value;
}
bool NothingStored() { return e2e::ModuleSettingsStored() == 0; }
void Store(const char* name, DWORD value) { ASSERT_TRUE(e2e::SetModuleSetting(name, value)); }

class ConfigDialog : public ::testing::Test {
protected:
    // The dialog of `quaver-host.exe --configure`, on screen.
    void Open(std::vector<std::string> arguments = {"--configure"}) {
        ConsoleSession::Options options;
        options.arguments = std::move(arguments);
        session = std::make_unique<ConsoleSession>(options);
        ASSERT_TRUE(session->Ready() && session->Launched()) << session->Problem();
        ASSERT_TRUE(session->WaitFor([&] {
            return session->FindRow(OwnPalette) >= 0 || session->FindRow("Eigene Palette") >= 0;
        })) << session->Dump();
    }
    // Waits for the host's word on the dialog's outcome, then quits the host.
    void ExpectOutcome(const char* status) {
        ASSERT_TRUE(session->WaitForRowText(StatusRow, status)) << session->Dump();
        session->PressKey(VK_F10);
        EXPECT_TRUE(session->WaitForExit());
    }

    e2e::ScopedModuleSettings settings;
    std::unique_ptr<ConsoleSession> session;
};

TEST_F(ConfigDialog, AnEmptyStoreShowsTheDefaultsAndEnterStoresAllTenValues) {
    Open();
    ConsoleSession& s = *session;
    EXPECT_NE(Find(s, "Quaver Control").y, -1);
    for (const char* on : {ShowVersion, VersionDigits, CloseButton, ShuffleRepeat, StartPlayer, ScrollTitle,
                           BackAndForth, Remaining})
        EXPECT_TRUE(Checked(s, on)) << on << "\n" << s.Dump();
    for (const char* off : {OwnPalette, VolumeArrows, WideTrack, OnlyOnCommand, PlainLabels, RunningText, Elapsed})
        EXPECT_TRUE(Unchecked(s, off)) << off << "\n" << s.Dump();
    for (const char* label : {VersionDigits, OnlyOnCommand, RunningText, BackAndForth})
        EXPECT_TRUE(Enabled(s, label)) << label;
    EXPECT_EQ(Face(s, BackAndForth), "(\x07) ") << "a selected radio button shows a bullet";
    EXPECT_NE(Find(s, "[ OK ]").y, -1);
    EXPECT_NE(Find(s, "[ Cancel ]").y, -1);

    s.PressKey(VK_RETURN);
    ExpectOutcome("Configuration saved.");
    EXPECT_EQ(Stored("IgnoreFarPalette"), 0u);
    EXPECT_EQ(Stored("AutostartWinamp"), 1u);
    EXPECT_EQ(Stored("WideTrackNumber"), 0u);
    EXPECT_EQ(Stored("DrawUglyButtons"), 0u);
    EXPECT_EQ(Stored("DispCloseButton"), 1u);
    EXPECT_EQ(Stored("DispVolumeCtrl"), 0u);
    EXPECT_EQ(Stored("DispRepeatShfl"), 1u);
    EXPECT_EQ(Stored("DispWinampVer"), 3u);
    EXPECT_EQ(Stored("TimeFormat"), 1u);
    EXPECT_EQ(Stored("ScrollMode"), 3u);
}

TEST_F(ConfigDialog, UncheckingScrollingDisablesBothStylesAtOnceAndKeepsTheChoice) {
    Open();
    ConsoleSession& s = *session;
    const Place tree = Find(s, "\xC3\xC4\xC4");
    ASSERT_GE(tree.y, 0) << s.Dump();
    ClickOn(s, ScrollTitle);
    ASSERT_TRUE(s.WaitFor([&] { return Disabled(s, RunningText); }, 10000)) << s.Dump();
    EXPECT_TRUE(Unchecked(s, ScrollTitle));
    EXPECT_TRUE(Disabled(s, BackAndForth));
    EXPECT_EQ(s.Attribute(tree.x, tree.y), DisabledAttribute) << "the tree lines are greyed too";
    EXPECT_TRUE(Enabled(s, Elapsed)) << "the time group does not depend on scrolling";

    ClickOn(s, RunningText);  // greyed: the click does nothing
    s.PressKey('U');          // nor does its hot key
    ClickOn(s, ScrollTitle);
    ASSERT_TRUE(s.WaitFor([&] { return Enabled(s, RunningText); }, 10000)) << s.Dump();
    EXPECT_TRUE(Checked(s, BackAndForth)) << "the earlier style is still chosen";
    EXPECT_TRUE(Unchecked(s, RunningText));

    ClickOn(s, ScrollTitle);
    ASSERT_TRUE(s.WaitFor([&] { return Disabled(s, BackAndForth); }, 10000)) << s.Dump();
    ClickOn(s, "[ OK ]");
    ExpectOutcome("Configuration saved.");
    EXPECT_EQ(Stored("ScrollMode"), 1u) << "scrolling off, back and forth kept";
}

TEST_F(ConfigDialog, HotKeysArrowsAndSpaceWorkTheItems) {
    Open();
    ConsoleSession& s = *session;
    s.PressKey(VK_TAB, SHIFT_PRESSED);  // from OK back to "Remaining time"
    s.PressKey(VK_UP);                  // to "Elapsed time"
    s.PressKey(VK_SPACE);
    ASSERT_TRUE(s.WaitFor([&] { return Checked(s, Elapsed); }, 10000)) << s.Dump();
    EXPECT_TRUE(Unchecked(s, Remaining)) << "one choice per group";
    s.PressKey('V');  // Show player &version: off, and its dependent option greys
    ASSERT_TRUE(s.WaitFor([&] { return Disabled(s, VersionDigits); }, 10000)) << s.Dump();
    EXPECT_TRUE(Unchecked(s, ShowVersion));
    EXPECT_TRUE(Checked(s, VersionDigits));
    s.PressKey('M');  // ...only when a co&mmand needs it: on, and the focus is on it now
    ASSERT_TRUE(s.WaitFor([&] { return Checked(s, OnlyOnCommand); }, 10000)) << s.Dump();
    s.PressKey(VK_RETURN);  // the default button, although the focus is on a check box
    ExpectOutcome("Configuration saved.");
    EXPECT_EQ(Stored("DispWinampVer"), 2u);
    EXPECT_EQ(Stored("AutostartWinamp"), 3u);
    EXPECT_EQ(Stored("TimeFormat"), 0u);
    EXPECT_EQ(Stored("WideTrackNumber"), 0u) << "nothing else changed";
}

TEST_F(ConfigDialog, InGermanEveryTextComesFromTheGermanFileAndItsHotKeysWork) {
    Open({"--configure", "--language", "German"});
    ConsoleSession& s = *session;
    for (const char* label : {"Eigene Palette statt Host-Farben", "Player-Version im Titel zeigen",
                              "Andere Versionsziffern", "Schlie\xE1" "en-Knopf zeigen", "Lautst\x84rke-Pfeile zeigen",
                              "Zufall und Wiederholung zeigen", "Dreistellige Titelnummer",
                              "Player starten, wenn er fehlt", "...nur wenn ein Befehl ihn braucht",
                              "Kn\x94pfe mit schlichtem Text", "Titelzeile scrollen", "Lauftext", "Hin und her",
                              " Zeitanzeige ", "Gespielte Zeit", "Restzeit", "[ OK ]", "[ Abbrechen ]"})
        EXPECT_NE(Find(s, label).y, -1) << label << "\n" << s.Dump();
    EXPECT_EQ(Find(s, CloseButton).y, -1) << "no English text left";
    s.PressKey('V');  // Player-&Version im Titel zeigen: off, and its dependent option greys
    ASSERT_TRUE(s.WaitFor([&] { return Disabled(s, "Andere Versionsziffern"); }, 10000)) << s.Dump();
    s.PressKey('R');  // &Restzeit
    ASSERT_TRUE(s.WaitFor([&] { return Checked(s, "Restzeit") && !Checked(s, "Gespielte Zeit"); }, 10000))
        << s.Dump();
    s.PressKey(VK_RETURN);
    ExpectOutcome("Configuration saved.");
    EXPECT_EQ(Stored("DispWinampVer"), 2u);
}

TEST_F(ConfigDialog, StoredValuesAreShownWithTheirDependentsGreyed) {
    Store("ScrollMode", 1);
    Store("DispWinampVer", 2);
    Store("AutostartWinamp", 2);
    Open();
    ConsoleSession& s = *session;
    EXPECT_TRUE(Unchecked(s, ScrollTitle));
    EXPECT_TRUE(Checked(s, BackAndForth));
    EXPECT_TRUE(Disabled(s, RunningText));
    EXPECT_TRUE(Disabled(s, BackAndForth));
    EXPECT_TRUE(Checked(s, VersionDigits)) << "kept while the version is hidden";
    EXPECT_TRUE(Disabled(s, VersionDigits));
    EXPECT_TRUE(Disabled(s, OnlyOnCommand));
    EXPECT_TRUE(Checked(s, OnlyOnCommand));
    s.PressKey(VK_RETURN);
    ExpectOutcome("Configuration saved.");
    EXPECT_EQ(Stored("ScrollMode"), 1u);
    EXPECT_EQ(Stored("DispWinampVer"), 2u);
    EXPECT_EQ(Stored("AutostartWinamp"), 2u);
}

TEST_F(ConfigDialog, EscAndCancelStoreNothingAndTheScreenComesBackWhole) {
    ConsoleSession::Options options;
    options.arguments = {"--menu"};
    session = std::make_unique<ConsoleSession>(options);
    ConsoleSession& s = *session;
    ASSERT_TRUE(s.WaitForRowText(KeyBarRow, "F9 Configure")) << s.Dump();
    const e2e::Screen before = s.Capture();

    s.PressKey(VK_F9);
    ASSERT_TRUE(s.WaitForText(OwnPalette)) << s.Dump();
    s.PressKey('P');  // a change that must not be stored
    ASSERT_TRUE(s.WaitFor([&] { return Checked(s, OwnPalette); }, 10000)) << s.Dump();
    s.PressKey(VK_ESCAPE);
    ASSERT_TRUE(s.WaitForRowText(StatusRow, "Configuration not changed.")) << s.Dump();
    const e2e::Screen after = s.Capture();
    for (int y = 0; y < StatusRow; ++y) {
        EXPECT_EQ(after.rows[y], before.rows[y]) << "row " << y;
        EXPECT_EQ(after.attributes[y], before.attributes[y]) << "row " << y;
    }
    EXPECT_TRUE(NothingStored());

    s.PressKey(VK_F9);
    ASSERT_TRUE(s.WaitForText(OwnPalette)) << s.Dump();
    EXPECT_TRUE(Unchecked(s, OwnPalette)) << "the dialog starts from the store again";
    s.PressKey('X');
    ClickOn(s, "[ Cancel ]");
    ASSERT_TRUE(s.WaitFor([&] { return s.FindRow(OwnPalette) < 0; }, 10000)) << s.Dump();
    ExpectOutcome("Configuration not changed.");
    EXPECT_TRUE(NothingStored());
}

TEST_F(ConfigDialog, F1ShowsTheConfigHelpAndEscReturnsToTheDialog) {
    Open();
    ConsoleSession& s = *session;
    s.PressKey(VK_F1);
    ASSERT_TRUE(s.WaitForText("Quaver Control: settings")) << s.Dump();
    EXPECT_NE(s.FindRow("draw the panel in the eight colours"), -1) << s.Dump();
    EXPECT_EQ(s.FindRow("[ Cancel ]"), -1) << "the viewer covers the dialog";
    s.PressKey(VK_END);
    ASSERT_TRUE(s.WaitForText("OK stores every setting")) << s.Dump();
    s.PressKey(VK_ESCAPE);
    ASSERT_TRUE(s.WaitFor([&] { return s.FindRow("Quaver Control: settings") < 0; }, 10000)) << s.Dump();
    EXPECT_NE(s.FindRow("[ Cancel ]"), -1) << "the dialog is whole again\n" << s.Dump();
    EXPECT_TRUE(Checked(s, ShowVersion));
    s.PressKey(VK_ESCAPE);
    ExpectOutcome("Configuration not changed.");
}

}  // namespace
