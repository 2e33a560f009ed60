#pragma once

#include "DispatchObject.h"

#include <qdk_orv/qdk_orv.h>

namespace qdk::genfuns {

class GenFuns final : public frame::DispatchObject<_GenFuns> {
public:
    GenFuns();

    HRESULT GetCharsetList(BSTR* result) override;
    HRESULT LongToHTMLColor(std::int32_t Color, BSTR* result) override;
    HRESULT SetMenuCaption(IDispatch** Target, BSTR MenusFile) override;
    HRESULT SetTip(IDispatch** Target, BSTR TipsFile) override;
    HRESULT InVar(VARIANT Target, SAFEARRAY** VarList, VARIANT_BOOL* result) override;
    HRESULT AdjListColWid(IDispatch** Target) override;
    HRESULT GetFilesQty(BSTR Path, std::int32_t* result) override;
    HRESULT CheckShortcut(BSTR Shortcut, VARIANT_BOOL* result) override;
    HRESULT GetSysTempPath(BSTR* result) override;
    HRESULT GetEnglishWeekday(std::int16_t WeekSN, BSTR* result) override;
    HRESULT GetEnglishShortMonth(std::int16_t MonthSN, BSTR* result) override;
};

}  // namespace qdk::genfuns
