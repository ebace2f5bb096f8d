// The settings store: registry values under settingsKeyPath, their in-memory switches and the palette.
#pragma once

#include <cstdint>

namespace quaver {

// One byte, 0 or 1, per one-bit setting and per bit of a two-bit setting (index = bit).
extern uint8_t TimeFormat;
extern uint8_t IgnoreFarPalette;
extern uint8_t DispWinampVer[2];
extern uint8_t DispRepeatShfl;
extern uint8_t DispVolumeCtrl;
extern uint8_t DrawUglyButtons;
extern uint8_t AutostartWinamp[2];
extern uint8_t DispCloseButton;
extern uint8_t WideTrackNumber;

// Palette entries: 0 frame and background, 1 panel title, 2 digits and title line, 3 button face,
// 4 pressed button face, 5 button shadow, 6 indicators, 7 pressed indicator.
extern uint8_t palette[8];
extern const uint8_t defaultPalette[8];

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
// Stored "ScrollMode" to scrollMode: 0,1 -> 0 (centred), 2 -> 2 (running text), 3 -> 1 (back and forth).
constexpr int32_t ScrollModeFromStored(uint32_t stored) {
    return (stored & 2u) == 0 ? 0 : ((stored & 1u) ? 1 : 2);
}
// Fills entries 5, 6 and 7 from entries 0, 3 and 4.
void DerivePaletteEntries(uint8_t (&entries)[8]);

}  // namespace quaver
