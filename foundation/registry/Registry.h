#pragma once

#include "DispatchObject.h"

#include <qdk_orv/qdk_orv.h>

namespace qdk::registry {

class Registry final : public frame::DispatchObject<_Registry> {
public:
    Registry();

    HRESULT ExportRegKey(KeyRoot* KeyRoot, BSTR* KeyPath, BSTR* FileName, VARIANT_BOOL* result) override;
    HRESULT ImportRegKey(KeyRoot* KeyRoot, BSTR* KeyPath, BSTR* FileName, VARIANT_BOOL* result) override;
    HRESULT ReadRegKey(KeyRoot* KeyRoot, BSTR* KeyPath, BSTR* SubKey, BSTR* NoKeyFoundValue, BSTR* result) override;
    HRESULT WriteRegKey(KeyType* KeyType, KeyRoot* KeyRoot, BSTR* KeyPath, BSTR* SubKey, BSTR* SubKeyValue, VARIANT_BOOL* result) override;
    HRESULT EnumerateRegKeys(KeyRoot* KeyRoot, BSTR* KeyPath, BSTR* result) override;
    HRESULT EnumerateRegKeyValues(KeyRoot* KeyRoot, BSTR* KeyPath, BSTR* result) override;
    HRESULT DeleteRegKey(KeyRoot* KeyRoot, BSTR* KeyPath) override;
    HRESULT DeleteRegKeyValue(KeyRoot* KeyRoot, BSTR* KeyPath, BSTR* SubKey, VARIANT_BOOL* result) override;
    HRESULT GetRegKeyItems(KeyRoot* KeyRoot, BSTR* KeyPath, std::int16_t* result) override;
    HRESULT EnumerateRegKeyItemNames(KeyRoot* KeyRoot, BSTR* KeyPath, BSTR* result) override;
};

}  // namespace qdk::registry
