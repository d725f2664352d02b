// The named colours of both windows.
#pragma once

#include "ui/elements/values.h"

namespace koropika {

// The colours both windows paint with, one name each.
inline constexpr Colour kBlack = Colour::fromRgb(0x000000);
inline constexpr Colour kWhite = Colour::fromRgb(0xFFFFFF);
inline constexpr Colour kBlue = Colour::fromRgb(0x0000FF);
inline constexpr Colour kTableGreen = Colour::fromRgb(0x1C6C0D);
inline constexpr Colour kPink = Colour::fromRgb(0xFFC0FF);
inline constexpr Colour kControlGrey = Colour::fromRgb(0xF0F0F0);

}  // namespace koropika
