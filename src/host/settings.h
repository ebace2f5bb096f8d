// The settings store: registry values under the settings path, their in-memory switches and the palette.
#pragma once

#include <cstdint>

namespace quaver {


// Palette entries.
constexpr uint8_t paletteFrame = 0;  // frame and background
constexpr uint8_t palettePanelTitle = 1;
constexpr uint8_t paletteDigits = 2;  // digits and title line
constexpr uint8_t paletteButtonFace = 3;
constexpr uint8_t palettePressedButton = 4;
constexpr uint8_t paletteButtonShadow = 5;
constexpr uint8_t paletteIndicator = 6;
constexpr uint8_t palettePressedIndicator = 7;
constexpr int paletteEntryCount = 8;
extern const uint8_t defaultPalette[paletteEntryCount];

// The settings in force. Written on the host's thread while no panel is open: by SetStartupInfo, by
// OpenPlugin from the store as the panel opens, and by the configuration dialog; the one exception is
// timeFormat, which the time-mode key flips under drawingLock while the panel is open. Read by the host's
// thread and, while the panel is open, by the RefreshThread (timeFormat under drawingLock only).
struct Settings {
    // One byte, 0 or 1, per one-bit setting and per bit of a two-bit setting (index = bit).
    uint8_t timeFormat;         // 1: the clock counts the time left
    uint8_t showVersion[2];     // the player's version in the panel title; [1] with its minor digits
    uint8_t showRepeatShuffle;  // the shuffle and repeat indicators
    uint8_t showVolumeControl;  // the volume buttons
    uint8_t asciiButtons;       // button labels in plain ASCII
    uint8_t startPlayer[2];     // start an absent player; [1] only for a command, not when the panel opens
    uint8_t showCloseButton;
    uint8_t wideTrackNumber;    // three digits of track number, on the wider panel
    uint8_t palette[paletteEntryCount];
};
extern Settings settings;

// The values in the store, each one row of the table that reads and writes them, in the order the
// configuration dialog writes them.
enum class Stored {
    OwnPalette,  // the module's own palette rather than the host's colours
    StartPlayer,
    WideTrackNumber,
    AsciiButtons,
    CloseButton,
    VolumeControl,
    RepeatShuffle,
    PlayerVersion,
    TimeFormat,
    ScrollMode,  // the storedScroll bits
};
// The stored value, or defaultValue when it is missing, unreadable or a text.
uint32_t ReadStored(Stored value, uint32_t defaultValue);
// Writes every value in one go: the switches as they are, the palette choice and the scroll bits as given
// (no switch keeps them). False when the store did not take them all.
bool StoreSettings(uint32_t ownPalette, uint32_t scrollBits);

// ---- the store itself: the registry under the settings path (classic), or the host's settings store (wide) ----

// One visit to the store: in the wide build everything read while it lives goes through one opening of the
// host's store, freed when the visit ends, so that the store is never held for longer. The classic build opens
// its registry key for each read, as it always has. Host's thread only.
class SettingsVisit {
public:
    SettingsVisit();
    SettingsVisit(const SettingsVisit&) = delete;
    SettingsVisit& operator=(const SettingsVisit&) = delete;
    ~SettingsVisit();
};

struct StoredSetting {
    const char* name;
    uint32_t value;
};
// Writes every value in one visit. False when the store cannot be opened, or any value could not be set (the
// others are still written).
bool WriteSettings(const StoredSetting* values, int count);
// The stored number, or defaultValue when it is missing, unreadable or a text.
uint32_t ReadSetting(const char* name, uint32_t defaultValue);
// The stored "Palette": false unless it is exactly paletteEntryCount bytes (then the palette is left as it
// was, or partly overwritten).
bool ReadStoredPalette(uint8_t (&palette)[paletteEntryCount]);
#if !QUAVER_WIDE
// The classic build's registry, opened for the one call.
void WriteSetting(const char* name, uint32_t value);
bool ReadValue(const char* name, void* buffer, uint32_t* size);
#endif

void LoadDisplaySettings();
void LoadPalette();

// Pure rules of the store.
constexpr uint8_t Bit(uint32_t value, int bit) { return static_cast<uint8_t>((value >> bit) & 1u); }
// Fills the shadow, indicator and pressed-indicator entries from the frame, button-face and pressed-button ones.
void DerivePaletteEntries(uint8_t (&entries)[paletteEntryCount]);

}  // namespace quaver
