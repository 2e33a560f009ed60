#include "FontCellTextWidths.h"

#include <cmath>

namespace orv::viewing {

FontCellTextWidths::FontCellTextWidths(const QFont& font, qreal dpi, int marginPixels)
    : metrics_(font), dpi_(dpi), marginPixels_(marginPixels), basicPlane_(0x10000, -1)
{
}

int FontCellTextWidths::toTwips(qreal pixels) const { return static_cast<int>(std::ceil(pixels * 1440.0 / dpi_)); }

int FontCellTextWidths::characterWidth(char32_t c) const
{
    if (c >= 0x10000) return toTwips(metrics_.horizontalAdvance(QString::fromUcs4(&c, 1)));
    int& width = basicPlane_[c];
    if (width < 0) width = toTwips(metrics_.horizontalAdvance(QChar(static_cast<char16_t>(c))));
    return width;
}

int FontCellTextWidths::textWidth(const QString& text) const
{
    // Whole pixels, as the list lays its sections out, and one more so that rounding never elides.
    return toTwips(std::ceil(metrics_.horizontalAdvance(text)) + marginPixels_ + 1);
}

}  // namespace orv::viewing
