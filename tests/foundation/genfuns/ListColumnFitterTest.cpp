#include "ListColumnFitter.h"

#include <qdk_orv/qdk_orv.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using qdk::genfuns::fitListColumns;

// A report list whose columns fit to a content width the test sets.
class FakeReportList final : public IReportList {
public:
    struct Column {
        std::int32_t width;
        std::u16string tag;
        std::int32_t contentWidth;
        bool measurable = true;
    };
    std::int32_t mode = ReportListViewReport;
    std::int32_t rows = 1;
    std::vector<Column> columns;

    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IReportList) {
            *object = static_cast<IReportList*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT GetViewMode(std::int32_t* m) override { *m = mode; return S_OK; }
    HRESULT GetRowCount(std::int32_t* n) override { *n = rows; return S_OK; }
    HRESULT GetColumnCount(std::int32_t* n) override { *n = static_cast<std::int32_t>(columns.size()); return S_OK; }
    HRESULT GetColumnWidth(std::int32_t c, std::int32_t* w) override { *w = at(c).width; return S_OK; }
    HRESULT SetColumnWidth(std::int32_t c, std::int32_t w) override { at(c).width = w; return S_OK; }
    HRESULT GetColumnTag(std::int32_t c, BSTR* tag) override
    {
        *tag = SysAllocStringLen(at(c).tag.data(), static_cast<UINT>(at(c).tag.size()));
        return S_OK;
    }
    HRESULT FitColumnToContents(std::int32_t c) override
    {
        if (!at(c).measurable) return E_FAIL;
        at(c).width = at(c).contentWidth;
        return S_OK;
    }

private:
    Column& at(std::int32_t c) { return columns.at(static_cast<std::size_t>(c - 1)); }
};

std::vector<std::int32_t> widths(const FakeReportList& list)
{
    std::vector<std::int32_t> w;
    for (const auto& c : list.columns) w.push_back(c.width);
    return w;
}

TEST(ListColumnFitter, FitsEveryColumnToItsContentsButNeverBelowItsTag)
{
    FakeReportList list;
    list.columns = {
        {500, u"1200", 900},     // contents narrower than the tag: ends at the tag
        {500, u"1200", 2000},    // wider contents win
        {500, u"", 300},         // no number in the tag: contents alone
        {500, u"wide", 300},
        {500, u"99999", 300},    // not a 16-bit number
        {500, u"800", 800, false},  // cannot be measured: keeps its width, the next is still fitted
        {100, u" 640 ", 10},
    };
    fitListColumns(&list);
    EXPECT_EQ(widths(list), (std::vector<std::int32_t>{1200, 2000, 300, 300, 300, 500, 640}));
}

TEST(ListColumnFitter, LeavesEmptyListsOtherViewsAndOtherObjectsAlone)
{
    FakeReportList empty;
    empty.rows = 0;
    empty.columns = {{500, u"1200", 900}};
    fitListColumns(&empty);
    EXPECT_EQ(widths(empty), std::vector<std::int32_t>{500});

    FakeReportList icons;
    icons.mode = 0;
    icons.columns = {{500, u"1200", 900}};
    fitListColumns(&icons);
    EXPECT_EQ(widths(icons), std::vector<std::int32_t>{500});

    fitListColumns(nullptr);
}

}  // namespace
