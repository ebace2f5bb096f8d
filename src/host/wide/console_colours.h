// The wide host's colours and the console's 16: what the panel draws with, and what the host's palette gives.
#pragma once

#include <cstdint>

#include "host/wide_api.h"

namespace quaver {

// The console colour (0-15) nearest to a true colour, 0x00BBGGRR as Windows keeps one (the top byte, the
// opacity, does not count): the nearest by straight distance among the console's standard 16, the lower
// number on a tie.
uint8_t NearestConsoleColour(uint32_t rgb);
// A colour of the host's palette as a console attribute (background in the high nibble): a half that is a
// palette index keeps its low four bits, a true colour becomes the nearest console colour.
uint8_t AttributeOfColour(const wide::Colour& colour);
// A console attribute as the host draws it: both halves palette indices, opaque.
wide::Colour ColourOfAttribute(uint8_t attribute);

}  // namespace quaver
