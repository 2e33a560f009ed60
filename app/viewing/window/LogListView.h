#pragma once

#include "RecordListModel.h"

#include <QTreeView>

namespace orv::viewing {

// One of the main window's record lists: a report view of its model, one row selected at a time.
// A header click sorts through the model (the direction flips on every click); the column widths
// follow the model's, in twips.
class LogListView final : public QTreeView {
    Q_OBJECT

public:
    LogListView(RecordListModel* model, QWidget* parent = nullptr);

    RecordListModel* records() const { return model_; }
    // The selected row, or -1.
    int selectedRow() const;
    void selectRow(int row);

signals:
    // A double click or Enter: the Detail View command on this list.
    void detailViewRequested();
    void rightButtonReleased(const QPoint& globalPosition);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void applyColumnWidth(int column, int twips);
    void showSortIndicator();

    RecordListModel* model_;
    bool applyingWidth_ = false;
};

}  // namespace orv::viewing
