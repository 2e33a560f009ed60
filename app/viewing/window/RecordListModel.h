#pragma once

#include "CellTextWidths.h"
#include "DisplayFormat.h"
#include "LogRecords.h"
#include "RecordSorting.h"

#include <qdk_orv/qdk_orv.h>

#include <QAbstractTableModel>

#include <array>
#include <cstdint>
#include <vector>

namespace orv::viewing {

// The rows of one record list (Today or History): six cells per row, the stored time as the row's
// tag and a colour flag, over a plain container of the records. Column 1 is rendered from the
// stored time with the list's display format whenever it is shown, so a new format costs nothing
// but a repaint.
//
// The model is also the report list that the library's AdjListColWid fits: the column widths are
// kept here, in twips, and the view follows columnWidthChanged. Its AddRef and Release count
// nothing; the object lives as long as its QObject parent keeps it.
class RecordListModel final : public QAbstractTableModel, public IReportList, public IDispatch {
    Q_OBJECT

public:
    static constexpr int kColumnCount = 6;
    enum Role {
        StoredTimeRole = Qt::UserRole,  // the row's tag: "YYYY-MM-DD HH:MM:SS" as read
        GreenRole,                      // bool: the row is coloured
    };
    struct Column {
        QString header;
        int designWidth;  // twips: the width when the window opens and the least a fit leaves
    };

    RecordListModel(const std::array<Column, kColumnCount>& columns, DisplayFormat format, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Adds the records as rows at the end, in the list's default colour.
    void appendRecords(LogRecords&& records);
    // Adds the records and sorts by the stored time, descending, as reloading the list would.
    // When the list already stands so and the records are the newest, they go on top without a
    // sort: the way of records stored one after another.
    void addNewestRecords(LogRecords&& records);
    void clear();

    // Renders column 1 of every row with `format` from now on; order and colours stay.
    void setDisplayFormat(DisplayFormat format);

    void sortBy(int column, SortDirection direction);
    // A click on a column header: that column, the direction flipped whichever column it was.
    void sortByHeaderClick(int column);
    int sortColumn() const { return sortColumn_; }
    SortDirection sortDirection() const { return sortDirection_; }

    // Colours green the rows at positions 1, 7, 13 and so on of the current order; the colour then
    // stays with its record. The other rows are not touched.
    void colorRows();
    // Gives every row the list's default colour again.
    void clearColors();

    // The six cell texts of a row, as shown.
    QString cellText(int row, int column) const;

    // What measures the cells when the columns are fitted; without it a fit changes nothing.
    void setCellTextWidths(const CellTextWidths* widths) { widths_ = widths; }
    int columnWidth(int column) const { return columns_[static_cast<std::size_t>(column)].width; }
    void setColumnWidth(int column, int twips);

    // The object that GenFuns.AdjListColWid is handed.
    IDispatch* reportListObject() { return this; }

    // IUnknown
    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    // IDispatch: the library reaches the list through IReportList only; nothing is late-bound.
    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT GetIDsOfNames(REFIID iid, OLECHAR** names, UINT count, LCID locale, DISPID* ids) override;
    HRESULT Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* exception, UINT* argumentError) override;
    // IReportList; columns numbered from 1, widths in twips.
    HRESULT GetViewMode(std::int32_t* mode) override;
    HRESULT GetRowCount(std::int32_t* count) override;
    HRESULT GetColumnCount(std::int32_t* count) override;
    HRESULT GetColumnWidth(std::int32_t column, std::int32_t* width) override;
    HRESULT SetColumnWidth(std::int32_t column, std::int32_t width) override;
    HRESULT GetColumnTag(std::int32_t column, BSTR* tag) override;
    HRESULT FitColumnToContents(std::int32_t column) override;

signals:
    void columnWidthChanged(int column, int twips);

private:
    struct ColumnState {
        QString header;
        QString tag;  // the design width as a text
        int width;
        // The records whose texts look widest by their characters, widest first; records from
        // `measured` on have not been looked at yet.
        std::vector<std::pair<int, std::uint32_t>> widest;
        std::size_t measured = 0;
    };

    QString recordText(std::uint32_t record, int column) const;
    int estimatedWidth(std::uint32_t record, int column, const std::array<int, 128>& ascii) const;
    void forgetWidths(int column);
    void emitColorChanges(std::size_t first, std::size_t last);

    LogRecords records_;
    std::vector<std::uint32_t> order_;  // row -> record
    std::vector<std::uint8_t> green_;   // by record
    DisplayFormat format_;
    std::array<ColumnState, kColumnCount> columns_;
    int sortColumn_ = 0;
    SortDirection sortDirection_ = SortDirection::Descending;
    const CellTextWidths* widths_ = nullptr;
};

}  // namespace orv::viewing
