#include "VisibleListRows.h"

#include "LogListView.h"

#include <QStackedWidget>

namespace orv::viewing {

LogListView* VisibleListRows::list() const { return static_cast<LogListView*>(lists_.currentWidget()); }

int VisibleListRows::rowCount() const { return list()->records()->rowCount(); }

int VisibleListRows::selectedRow() const { return list()->selectedRow(); }

void VisibleListRows::selectRow(int row) { list()->selectRow(row); }

QString VisibleListRows::cellText(int row, int column) const { return list()->records()->cellText(row, column); }

}  // namespace orv::viewing
