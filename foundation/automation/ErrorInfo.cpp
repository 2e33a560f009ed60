// Error information of the last failed call, kept per thread as the platform keeps it.
#include <qdk_orv/automation.h>

#include <string>

namespace {

struct ThreadErrorInfo {
    bool set = false;
    HRESULT number = S_OK;
    std::u16string source;
    std::u16string description;
};

thread_local ThreadErrorInfo current;

std::u16string copyOf(const OLECHAR* text) { return text ? std::u16string(text) : std::u16string(); }

BSTR allocate(const std::u16string& text)
{
    return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

}  // namespace

HRESULT QdkSetErrorInfo(HRESULT number, const OLECHAR* source, const OLECHAR* description)
{
    try {
        current = {true, number, copyOf(source), copyOf(description)};
        return S_OK;
    } catch (...) {
        current = {};
        return E_OUTOFMEMORY;
    }
}

HRESULT QdkGetErrorInfo(HRESULT* number, BSTR* source, BSTR* description)
{
    if (number) *number = S_OK;
    if (source) *source = nullptr;
    if (description) *description = nullptr;
    if (!current.set) return S_FALSE;
    if (number) *number = current.number;
    if (source) *source = allocate(current.source);
    if (description) *description = allocate(current.description);
    current = {};
    return S_OK;
}

void QdkClearErrorInfo(void) { current = {}; }
