#ifndef GAMECOLOURS_H
#define GAMECOLOURS_H

#include "tnerror.h"

// Every colour the game draws with, each named once, as ARGB with the alpha
// in the top byte.
namespace GameColour {

constexpr tnUInt32 Black = 0xFF000000u;        // the window behind the picture
constexpr tnUInt32 White = 0xFFFFFFFFu;        // plain text, sprites and pictures untinted
constexpr tnUInt32 StatementRed = 0xFFFF001Eu; // a floating message of loss or death
constexpr tnUInt32 MessageRed = 0xFFFF0000u;   // the large messages over the field, the top-score title
constexpr tnUInt32 PanelTeal = 0xFF003232u;    // the side panels and the boxes of the screens
constexpr tnUInt32 Green = 0xFF00FF00u;        // "Loading..." and the pause hint
constexpr tnUInt32 HintGreen = 0xFF00FF64u;    // the bottom line of a screen
constexpr tnUInt32 SkyBlue = 0xFF0AA3DCu;      // the menu's and the final screen's background
constexpr tnUInt32 Highlight = 0xFFC8640Au;    // the option row under the pointer
constexpr tnUInt32 GoldYellow = 0xFFFFFF00u;   // the top score's gold
constexpr tnUInt32 Heading = 0xFFFF6349u;      // panel headings and the level's title
constexpr tnUInt32 LevelText = 0xFF006464u;
constexpr tnUInt32 TopScore = 0xFF00C80Au;     // the top score in its panel
constexpr tnUInt32 Statistic = 0xFAFFFF0Au;
constexpr tnUInt32 ColourKey = 0xFF00FFu;      // magenta: transparent in every sheet and picture

} // namespace GameColour

#endif
