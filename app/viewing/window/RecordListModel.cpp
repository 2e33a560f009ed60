#include "RecordListModel.h"

#include "LogLine.h"
#include "Utf8Char.h"

#include <QColor>

#include <algorithm>
#include <limits>
#include <utility>

namespace orv::viewing {

namespace {

// How many of the widest-looking texts of a column a fit measures exactly.
constexpr std::size_t kWidestKept = 16;

const QColor kGreen(0, 128, 0);

}  // namespace

RecordListModel::RecordListModel(const std::array<Column, kColumnCount>& columns, DisplayFormat format,
                                 QObject* parent)
    : QAbstractTableModel(parent), format_(std::move(format))
{
    for (std::size_t i = 0; i < columns.size(); ++i) {
        columns_[i].header = columns[i].header;
        columns_[i].tag = QString::number(columns[i].designWidth);
        columns_[i].width = columns[i].designWidth;
    }
}

int RecordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(std::min<std::size_t>(order_.size(), std::numeric_limits<int>::max()));
}

int RecordListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant RecordListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumnCount) return {};
    const std::uint32_t record = order_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole: return recordText(record, index.column());
    case Qt::ForegroundRole: return green_[record] ? QVariant(kGreen) : QVariant();
    case StoredTimeRole: return QString::fromStdString(capture::LogLine::formatTime(records_.time(record)));
    case GreenRole: return static_cast<bool>(green_[record]);
    default: return {};
    }
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumnCount) return {};
    return columns_[static_cast<std::size_t>(section)].header;
}

QString RecordListModel::cellText(int row, int column) const
{
    return recordText(order_[static_cast<std::size_t>(row)], column);
}

QString RecordListModel::recordText(std::uint32_t record, int column) const
{
    if (column == 0) return format_.render(records_.time(record));
    const std::string_view text = records_.field(record, static_cast<LogRecords::Field>(column - 1));
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void RecordListModel::appendRecords(LogRecords&& records)
{
    if (records.empty()) return;
    const std::size_t first = records_.size();
    const std::size_t count = records.size();
    beginInsertRows({}, rowCount(), rowCount() + static_cast<int>(count) - 1);
    records_.append(std::move(records));
    green_.resize(records_.size(), 0);
    for (std::size_t i = 0; i < count; ++i) order_.push_back(static_cast<std::uint32_t>(first + i));
    endInsertRows();
}

void RecordListModel::addNewestRecords(LogRecords&& records)
{
    bool newest = sortColumn_ == 0 && sortDirection_ == SortDirection::Descending;
    if (newest && !order_.empty()) {
        const std::uint64_t top = records_.timeKey(order_.front());
        for (std::size_t i = 0; i < records.size() && newest; ++i) newest = records.timeKey(i) >= top;
    }
    if (!newest) {
        appendRecords(std::move(records));
        sortBy(0, SortDirection::Descending);
        return;
    }
    if (records.empty()) return;
    const std::size_t first = records_.size();
    const std::size_t count = records.size();
    beginInsertRows({}, 0, static_cast<int>(count) - 1);
    records_.append(std::move(records));
    green_.resize(records_.size(), 0);
    std::vector<std::uint32_t> added(count);
    for (std::size_t i = 0; i < count; ++i) added[i] = static_cast<std::uint32_t>(first + i);
    sortRecords(added, records_, 0, SortDirection::Descending);
    order_.insert(order_.begin(), added.begin(), added.end());
    endInsertRows();
}

void RecordListModel::clear()
{
    beginResetModel();
    records_.clear();
    order_.clear();
    order_.shrink_to_fit();
    green_.clear();
    green_.shrink_to_fit();
    for (int column = 0; column < kColumnCount; ++column) forgetWidths(column);
    endResetModel();
}

void RecordListModel::setDisplayFormat(DisplayFormat format)
{
    format_ = std::move(format);
    forgetWidths(0);
    if (!order_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DisplayRole});
}

void RecordListModel::sortBy(int column, SortDirection direction)
{
    sortColumn_ = column;
    sortDirection_ = direction;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::uint32_t> records;
    records.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before) records.push_back(order_[static_cast<std::size_t>(index.row())]);

    sortRecords(order_, records_, column, direction);

    if (!before.isEmpty()) {
        std::vector<std::uint32_t> rowOf(order_.size());
        for (std::size_t row = 0; row < order_.size(); ++row) rowOf[order_[row]] = static_cast<std::uint32_t>(row);
        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype i = 0; i < before.size(); ++i)
            after.push_back(index(static_cast<int>(rowOf[records[static_cast<std::size_t>(i)]]), before[i].column()));
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void RecordListModel::sortByHeaderClick(int column)
{
    sortBy(column, sortDirection_ == SortDirection::Ascending ? SortDirection::Descending : SortDirection::Ascending);
}

void RecordListModel::colorRows()
{
    std::size_t first = order_.size();
    std::size_t last = 0;
    for (std::size_t row = 0; row < order_.size(); row += 6) {
        std::uint8_t& green = green_[order_[row]];
        if (green) continue;
        green = 1;
        first = std::min(first, row);
        last = row;
    }
    emitColorChanges(first, last);
}

void RecordListModel::clearColors()
{
    std::size_t first = order_.size();
    std::size_t last = 0;
    for (std::size_t row = 0; row < order_.size(); ++row) {
        std::uint8_t& green = green_[order_[row]];
        if (!green) continue;
        green = 0;
        first = std::min(first, row);
        last = row;
    }
    emitColorChanges(first, last);
}

void RecordListModel::emitColorChanges(std::size_t first, std::size_t last)
{
    if (first > last || first >= order_.size()) return;
    emit dataChanged(index(static_cast<int>(first), 0), index(static_cast<int>(last), kColumnCount - 1),
                     {Qt::ForegroundRole, GreenRole});
}

void RecordListModel::setColumnWidth(int column, int twips)
{
    ColumnState& state = columns_[static_cast<std::size_t>(column)];
    if (state.width == twips) return;
    state.width = twips;
    emit columnWidthChanged(column, twips);
}

void RecordListModel::forgetWidths(int column)
{
    ColumnState& state = columns_[static_cast<std::size_t>(column)];
    state.widest.clear();
    state.measured = 0;
}

int RecordListModel::estimatedWidth(std::uint32_t record, int column, const std::array<int, 128>& ascii) const
{
    int width = 0;
    if (column == 0) {
        for (const QChar c : recordText(record, 0))
            width += c.unicode() < 128 ? ascii[c.unicode()] : widths_->characterWidth(c.unicode());
        return width;
    }
    const std::string_view text = records_.field(record, static_cast<LogRecords::Field>(column - 1));
    auto p = reinterpret_cast<const unsigned char*>(text.data());
    const auto end = p + text.size();
    while (p != end) {
        if (*p < 128) {
            width += ascii[*p++];
            continue;
        }
        const text::Utf8Char c = text::readUtf8Char(p, end);
        // A byte outside valid UTF-8 is shown as the replacement character.
        width += widths_->characterWidth(c.length ? c.codePoint : U'\uFFFD');
        p += c.length ? c.length : 1;
    }
    return width;
}

HRESULT RecordListModel::QueryInterface(REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IReportList) {
        *object = static_cast<IReportList*>(this);
        return S_OK;
    }
    if (iid == IID_IDispatch) {
        *object = static_cast<IDispatch*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT RecordListModel::GetTypeInfoCount(UINT* count)
{
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT RecordListModel::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT RecordListModel::GetIDsOfNames(REFIID, OLECHAR**, UINT, LCID, DISPID*) { return DISP_E_UNKNOWNNAME; }

HRESULT RecordListModel::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT RecordListModel::GetViewMode(std::int32_t* mode)
{
    if (!mode) return E_POINTER;
    *mode = ReportListViewReport;
    return S_OK;
}

HRESULT RecordListModel::GetRowCount(std::int32_t* count)
{
    if (!count) return E_POINTER;
    *count = rowCount();
    return S_OK;
}

HRESULT RecordListModel::GetColumnCount(std::int32_t* count)
{
    if (!count) return E_POINTER;
    *count = kColumnCount;
    return S_OK;
}

HRESULT RecordListModel::GetColumnWidth(std::int32_t column, std::int32_t* width)
{
    if (!width) return E_POINTER;
    if (column < 1 || column > kColumnCount) return E_INVALIDARG;
    *width = columnWidth(column - 1);
    return S_OK;
}

HRESULT RecordListModel::SetColumnWidth(std::int32_t column, std::int32_t width)
{
    if (column < 1 || column > kColumnCount || width < 0) return E_INVALIDARG;
    setColumnWidth(column - 1, width);
    return S_OK;
}

HRESULT RecordListModel::GetColumnTag(std::int32_t column, BSTR* tag)
{
    if (!tag) return E_POINTER;
    if (column < 1 || column > kColumnCount) return E_INVALIDARG;
    const QString& text = columns_[static_cast<std::size_t>(column - 1)].tag;
    *tag = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.utf16()), static_cast<UINT>(text.size()));
    return *tag ? S_OK : E_OUTOFMEMORY;
}

HRESULT RecordListModel::FitColumnToContents(std::int32_t column)
{
    if (column < 1 || column > kColumnCount) return E_INVALIDARG;
    if (!widths_) return E_FAIL;
    const int at = column - 1;
    ColumnState& state = columns_[static_cast<std::size_t>(at)];
    std::array<int, 128> ascii{};
    for (char32_t c = 0; c < 128; ++c) ascii[c] = widths_->characterWidth(c);
    // Only the records added since the last fit are looked at; the list of the widest keeps the
    // rest, so that fitting after each load of a range costs the new rows alone.
    for (std::size_t record = state.measured; record < records_.size(); ++record) {
        const int estimate = estimatedWidth(static_cast<std::uint32_t>(record), at, ascii);
        auto& widest = state.widest;
        if (widest.size() == kWidestKept && estimate <= widest.back().first) continue;
        const auto place = std::upper_bound(widest.begin(), widest.end(), estimate,
                                            [](int e, const auto& kept) { return e > kept.first; });
        widest.insert(place, {estimate, static_cast<std::uint32_t>(record)});
        if (widest.size() > kWidestKept) widest.pop_back();
    }
    state.measured = records_.size();
    int width = 0;
    for (const auto& [estimate, record] : state.widest) width = std::max(width, widths_->textWidth(recordText(record, at)));
    setColumnWidth(at, width);
    return S_OK;
}

}  // namespace orv::viewing
