#pragma once

#include "DispatchObject.h"

#include <qdk_orv/qdk_orv.h>

namespace qdk::base64 {

class Base64 final : public frame::DispatchObject<_Base64> {
public:
    Base64();

    HRESULT Encode(BSTR Source, BSTR CharSet, BSTR* result) override;
    HRESULT EncodeFile(BSTR astrFile, BSTR* result) override;
    HRESULT Decode(BSTR* sInput, BSTR CharSet, BSTR* result) override;
    HRESULT DecodeToFile(BSTR* sInput, BSTR* sFileName) override;
};

}  // namespace qdk::base64
