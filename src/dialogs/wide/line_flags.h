// The dialog tables are written in the classic interface's item flags; the wide host numbers some of them
// differently (its 0x200 colours a box, its separator is 0x10000).
#pragma once

#include <cstdint>

#include "host/wide_api.h"

namespace quaver {

wide::Flags WideLineFlags(uint32_t classicFlags);

}  // namespace quaver
