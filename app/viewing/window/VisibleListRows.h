#pragma once

#include "DetailViewRows.h"

class QStackedWidget;

namespace orv::viewing {

class LogListView;

// The Detail View's rows: whichever record list stands in front of the main window's stack at the
// moment of each call.
class VisibleListRows final : public settings::DetailViewRows {
public:
    explicit VisibleListRows(const QStackedWidget& lists) : lists_(lists) {}

    int rowCount() const override;
    int selectedRow() const override;
    void selectRow(int row) override;
    QString cellText(int row, int column) const override;

private:
    LogListView* list() const;

    const QStackedWidget& lists_;
};

}  // namespace orv::viewing
