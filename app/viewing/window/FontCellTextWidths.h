#pragma once

#include "CellTextWidths.h"

#include <QFont>
#include <QFontMetricsF>

#include <vector>

namespace orv::viewing {

// Cell text widths from the font a list draws with, in twips at the screen's logical dpi.
class FontCellTextWidths final : public CellTextWidths {
public:
    // `marginPixels`: what a cell adds to its text, both sides together.
    FontCellTextWidths(const QFont& font, qreal dpi, int marginPixels);

    int characterWidth(char32_t c) const override;
    int textWidth(const QString& text) const override;

private:
    int toTwips(qreal pixels) const;

    QFontMetricsF metrics_;
    qreal dpi_;
    int marginPixels_;
    mutable std::vector<int> basicPlane_;  // twips by character, -1 until first asked
};

}  // namespace orv::viewing
