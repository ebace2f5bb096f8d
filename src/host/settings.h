// The settings store: registry values under settingsKeyPath, their in-memory switches and the palette.
#pragma once

#include <cstdint>

namespace quaver {

// One byte, 0 or 1, per one-bit setting and per bit of a two-bit setting (index = bit).
extern uint8_t timeFormat;
extern uint8_t showVersion[2];
extern uint8_t showRepeatShuffle;
extern uint8_t showVolumeControl;
extern uint8_t asciiButtons;
extern uint8_t startPlayer[2];
extern uint8_t showCloseButton;
extern uint8_t wideTrackNumber;

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
extern uint8_t palette[paletteEntryCount];
extern const uint8_t defaultPalette[paletteEntryCount];

void WriteSetting(const char* name, uint32_t value);
struct StoredSetting {
    const char* name;
    uint32_t value;
};
// Opens the settings key once and writes every value as a 32-bit value. False when the key cannot be
// named, created or opened, or any value could not be set (the others are still written).
bool WriteSettings(const StoredSetting* settings, int count);
bool ReadValue(const char* name, void* buffer, uint32_t* size);
// The stored 32-bit value, or defaultValue when it is missing, unreadable or a text.
uint32_t ReadSetting(const char* name, uint32_t defaultValue);
void LoadDisplaySettings();
void LoadPalette();

// Pure rules of the store.
constexpr uint8_t Bit(uint32_t value, int bit) { return static_cast<uint8_t>((value >> bit) & 1u); }
// Fills the shadow, indicator and pressed-indicator entries from the frame, button-face and pressed-button ones.
void DerivePaletteEntries(uint8_t (&entries)[paletteEntryCount]);

}  // namespace quaver
