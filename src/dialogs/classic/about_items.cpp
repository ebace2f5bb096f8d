// The About box. Items 6 to 9 are the half-block shadows that give the two buttons the panel buttons' look.
#include "dialogs/about_box.h"

#include "quaver_version.h"

namespace quaver {

using namespace dialogItem;

constexpr DialogInitItem aboutItems[aboutItemCount] = {
    // type     x1  y1  x2  y2 focus sel flags       default text
    {Frame,     0,  0,  26, 10, 0,   0,  0,          0, Literal("About")},
    {Text,      0,  2,  0,  0,  0,   0,  Centred,    0, Literal("Quaver Remote Control")},
    {Text,      0,  3,  0,  0,  0,   0,  Centred,    0, Literal(aboutVersionLine)},
    {Text,      0,  4,  0,  0,  0,   0,  Centred,    0, Literal("Drives the Winamp player")},
    {Text,      0,  5,  0,  0,  0,   0,  Centred,    0, Literal("from the console.")},
    {Text,      0,  6,  0,  0,  0,   0,  Centred,    0, Literal("Free to use and share.")},
    {Text,      11, 8,  0,  0,  0,   0,  0,          0, Literal("\xDC")},
    {Text,      20, 8,  0,  0,  0,   0,  0,          0, Literal("\xDC")},
    {Text,      8,  9,  0,  0,  0,   0,  0,          0, Literal("\xDF\xDF\xDF\xDF")},
    {Text,      15, 9,  0,  0,  0,   0,  0,          0, Literal("\xDF\xDF\xDF\xDF\xDF\xDF")},
    {Button,    7,  8,  0,  0,  1,   0,  NoBrackets, 1, Literal(" OK ")},
    {Button,    14, 8,  0,  0,  0,   0,  NoBrackets, 1, Literal(" Help ")},
};

}  // namespace quaver
