#pragma once

#include <QString>

namespace orv::settings {

// The rows the Detail View moves through: the main window's list that is shown at the moment of
// each call, so that a list reloaded or switched behind the dialog is read as it then is. Rows
// are numbered from 0 here, in the list's order as displayed.
class DetailViewRows {
public:
    virtual ~DetailViewRows() = default;
    virtual int rowCount() const = 0;
    // The selected row, or -1 when none is.
    virtual int selectedRow() const = 0;
    // Selects that row alone, unselecting the one before, and brings it into view.
    virtual void selectRow(int row) = 0;
    // The text of a cell as the list shows it; column 0 is the time in the display format.
    virtual QString cellText(int row, int column) const = 0;
};

}  // namespace orv::settings
