#pragma once

#include "DispatchObject.h"

#include <qdk_orv/qdk_orv.h>

namespace qdk::txtfile {

class TxtFile final : public frame::DispatchObject<_TxtFile> {
public:
    TxtFile();

    HRESULT AppendLine(BSTR FileName, BSTR* Content) override;
    HRESULT ReadLastLine(BSTR FileName, BSTR* result) override;
    HRESULT GetLineQty(BSTR FileName, std::int32_t* result) override;
    HRESULT DeleteLine(BSTR FileName, BSTR Content, BSTR Separator, std::int16_t FieldNo) override;
    HRESULT ModifyLine(BSTR FileName, BSTR OldString, BSTR NewString, BSTR Separator, std::int16_t FieldNo) override;
    HRESULT FindLine(BSTR FileName, BSTR Line, VARIANT_BOOL* result) override;
    HRESULT GetLineNoByFind(BSTR FileName, BSTR FindString, VARIANT_BOOL MatchCase, std::int32_t* result) override;
    HRESULT GetLineStrByFind(BSTR FileName, BSTR FindString, VARIANT_BOOL MatchCase, BSTR* result) override;
    HRESULT WriteByCharset(BSTR FileName, BSTR Content, BSTR CharSet) override;
    HRESULT ReadByCharset(BSTR FileName, BSTR CharSet, BSTR* result) override;
    HRESULT AutoRead(BSTR FileName, BSTR* result) override;
    HRESULT GetEncoding(BSTR FileName, BSTR* result) override;
};

}  // namespace qdk::txtfile
