#pragma once

#include <QtGlobal>

#include <cmath>

namespace orv::viewing {

// Orvane's geometry is given in twips, 1/1440 inch: 15 twips per pixel at 96 dots per inch, and
// scaled with the screen's logical dpi.
inline int twipsToPixels(int twips, qreal dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }
inline int pixelsToTwips(int pixels, qreal dpi) { return static_cast<int>(std::lround(pixels * 1440.0 / dpi)); }

}  // namespace orv::viewing
