// Says a colour in words for those who cannot see it: the nearest of a short
// list of common colour names, and its hex code, for the colour buttons'
// accessible names and tooltips.
#pragma once

#include "assessment.h"

#include <QString>

namespace tavo {

// The common name nearest to the colour as the eye sees it ("yellow",
// "dark blue", "light gray"), by the distance of the two in CIE L*a*b*.
QString nearest_colour_name(Rgb colour);

// "#FFFF00": the hex code, upper case.
QString colour_hex_code(Rgb colour);

// "yellow, #FFFF00": the name and the code together.
QString describe_colour(Rgb colour);

} // namespace tavo
