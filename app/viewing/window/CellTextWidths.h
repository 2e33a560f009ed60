#pragma once

#include <QString>

namespace orv::viewing {

// How wide a list draws its cell texts, in twips, the cell's margins included. The list's model
// measures with it when its columns are fitted; the window answers from the list's font.
class CellTextWidths {
public:
    virtual ~CellTextWidths() = default;
    // The advance of one character: cheap, used to find the texts that may be the widest.
    virtual int characterWidth(char32_t c) const = 0;
    // The width of a whole text as drawn, margins included.
    virtual int textWidth(const QString& text) const = 0;
};

}  // namespace orv::viewing
