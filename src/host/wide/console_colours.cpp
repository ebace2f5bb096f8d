#include "host/wide/console_colours.h"

namespace quaver {

namespace {

struct Rgb {
    int32_t red, green, blue;
};

// The console's standard colours by number: black, blue, green, cyan, red, magenta, brown, light grey, then
// their bright forms.
constexpr Rgb consoleColours[16] = {
    {0, 0, 0},     {0, 0, 128},     {0, 128, 0},   {0, 128, 128},   {128, 0, 0},   {128, 0, 128},
    {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
    {255, 0, 0},   {255, 0, 255},   {255, 255, 0}, {255, 255, 255},
};

uint8_t Half(uint32_t value, bool isIndex) {
    return static_cast<uint8_t>(isIndex ? value & 0xF : NearestConsoleColour(value));
}

}  // namespace

uint8_t NearestConsoleColour(uint32_t rgb) {
    const int32_t red = static_cast<int32_t>(rgb & 0xFF);
    const int32_t green = static_cast<int32_t>((rgb >> 8) & 0xFF);
    const int32_t blue = static_cast<int32_t>((rgb >> 16) & 0xFF);
    uint8_t nearest = 0;
    int32_t nearestDistance = INT32_MAX;
    for (uint8_t i = 0; i < 16; ++i) {
        const Rgb& c = consoleColours[i];
        const int32_t distance = (red - c.red) * (red - c.red) + (green - c.green) * (green - c.green) +
                                 (blue - c.blue) * (blue - c.blue);
        if (distance < nearestDistance) {
            nearest = i;
            nearestDistance = distance;
        }
    }
    return nearest;
}

uint8_t AttributeOfColour(const wide::Colour& colour) {
    const uint8_t foreground = Half(colour.foreground, (colour.flags & wide::colourFlag::ForegroundIndex) != 0);
    const uint8_t background = Half(colour.background, (colour.flags & wide::colourFlag::BackgroundIndex) != 0);
    return static_cast<uint8_t>(background << 4 | foreground);
}

wide::Colour ColourOfAttribute(uint8_t attribute) {
    wide::Colour colour{};
    colour.flags = wide::colourFlag::ClassicAttribute;
    colour.foreground = wide::opaque | (attribute & 0xFu);
    colour.background = wide::opaque | ((attribute >> 4) & 0xFu);
    return colour;
}

}  // namespace quaver
