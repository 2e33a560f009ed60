#include "ListColumnFitter.h"

#include <qdk_orv/qdk_orv.h>

#include <optional>

namespace qdk::genfuns {

namespace {

// The tag as a 16-bit whole number, read as Automation converts a text to one.
std::optional<std::int16_t> tagWidth(IReportList* list, std::int32_t column)
{
    BSTR tag = nullptr;
    if (FAILED(list->GetColumnTag(column, &tag))) return std::nullopt;
    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = tag;
    VARIANT number;
    VariantInit(&number);
    const HRESULT hr = VariantChangeType(&number, &text, 0, VT_I2);
    SysFreeString(tag);
    if (FAILED(hr)) return std::nullopt;
    return number.iVal;
}

}  // namespace

void fitListColumns(IUnknown* target)
{
    IReportList* list = nullptr;
    if (!target || FAILED(target->QueryInterface(IID_IReportList, reinterpret_cast<void**>(&list))) || !list) return;
    std::int32_t mode = 0;
    std::int32_t rows = 0;
    std::int32_t columns = 0;
    if (SUCCEEDED(list->GetViewMode(&mode)) && mode == ReportListViewReport &&
        SUCCEEDED(list->GetRowCount(&rows)) && rows > 0 && SUCCEEDED(list->GetColumnCount(&columns))) {
        for (std::int32_t column = 1; column <= columns; ++column) {
            if (FAILED(list->FitColumnToContents(column))) continue;
            const auto minimum = tagWidth(list, column);
            std::int32_t width = 0;
            if (minimum && SUCCEEDED(list->GetColumnWidth(column, &width)) && width < *minimum)
                list->SetColumnWidth(column, *minimum);
        }
    }
    list->Release();
}

}  // namespace qdk::genfuns
