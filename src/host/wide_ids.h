// The wide module's GUIDs. The host keys its cache, hot keys, settings and dialogs by them: chosen once, never
// changed.
#pragma once

#include "host/wide_api.h"

namespace quaver::wideId {

// The module itself: its identity, and the `module` argument of every host function that takes one.
inline constexpr wide::Guid module = {0x66115328, 0xec30, 0x4848, {0xa3, 0x29, 0x73, 0xae, 0xf7, 0x7a, 0x16, 0xab}};
// "Quaver Control" in the plug-ins menu, and in the configuration menu.
inline constexpr wide::Guid pluginsMenuEntry = {0xf97b99de, 0x7d85, 0x420a,
                                                {0xb5, 0x74, 0xda, 0xa8, 0x81, 0x61, 0x0a, 0xe5}};
inline constexpr wide::Guid configMenuEntry = {0xac7c33e5, 0xbdcb, 0x4150, {0x91, 0xb5, 0x34, 0xd8, 0x45, 0xbf, 0xce, 0x2a}};
// The dialogs.
inline constexpr wide::Guid aboutDialog = {0xa6683a31, 0xf849, 0x4b58, {0xa9, 0x13, 0x8e, 0x47, 0x95, 0xc1, 0x70, 0x5c}};
inline constexpr wide::Guid configDialog = {0x25a58f4b, 0x2291, 0x45b3, {0xb3, 0xb5, 0x64, 0x18, 0x52, 0x4a, 0xf1, 0xfd}};
// The playlist menu and the message boxes go without ids of their own: the host takes none for them.

}  // namespace quaver::wideId
