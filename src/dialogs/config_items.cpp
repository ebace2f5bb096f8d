// The configuration dialog's table. Texts are language messages but for the title, the tree lines that
// tie the scrolling styles to their check box, and the empty separator above the buttons.
#include "dialogs/config_dialog.h"
#include "host/host.h"

namespace quaver {

using namespace dialogItem;

constexpr DialogInitItem configItems[configItemCount] = {
    // type       x1  y1  x2  y2 focus sel flags                            default text
    {Frame,       3,  1,  25, 20, 0,   0,  0,                               0, Literal(menuTitle)},
    {CheckBox,    5,  2,  0,  0,  0,   0,  0,                               0, 4},
    {CheckBox,    5,  3,  0,  0,  0,   0,  0,                               0, 5},
    {CheckBox,    5,  4,  0,  0,  0,   0,  0,                               0, 6},
    {CheckBox,    5,  5,  0,  0,  0,   0,  0,                               0, 7},
    {CheckBox,    5,  6,  0,  0,  0,   0,  0,                               0, 8},
    {CheckBox,    5,  7,  0,  0,  0,   0,  0,                               0, 9},
    {CheckBox,    5,  8,  0,  0,  0,   0,  0,                               0, 10},
    {CheckBox,    5,  9,  0,  0,  0,   0,  0,                               0, 11},
    {CheckBox,    5,  10, 0,  0,  0,   0,  0,                               0, 12},
    {CheckBox,    5,  11, 0,  0,  0,   0,  0,                               0, 13},
    {CheckBox,    5,  12, 0,  0,  0,   0,  0,                               0, 17},
    {RadioButton, 9,  13, 0,  0,  0,   0,  Group,                           0, 18},
    {RadioButton, 9,  14, 0,  0,  0,   0,  0,                               0, 19},
    {Text,        6,  13, 0,  0,  0,   0,  0,                               0, Literal("\xC3\xC4\xC4")},
    {Text,        6,  14, 0,  0,  0,   0,  0,                               0, Literal("\xC0\xC4\xC4")},
    {Text,        5,  15, 0,  0,  0,   0,  Separator,                       0, 14},
    {RadioButton, 9,  16, 0,  0,  0,   0,  Group,                           0, 15},
    {RadioButton, 9,  17, 0,  0,  0,   0,  0,                               0, 16},
    {Text,        5,  18, 0,  0,  0,   0,  Separator | SeparatorAboveButtons, 0, Literal("")},
    {Button,      0,  19, 0,  0,  1,   0,  Centred,                         1, 20},
    {Button,      0,  19, 0,  0,  0,   0,  Centred,                         0, 21},
};

}  // namespace quaver
