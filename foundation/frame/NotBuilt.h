#pragma once

#include <qdk_orv/automation.h>

namespace qdk::frame {

// The answer of a method whose behaviour is not there yet: empty results and E_NOTIMPL.
template <class... Result>
HRESULT notBuilt(Result*... results)
{
    ((results ? (void)(*results = Result{}) : (void)0), ...);
    return E_NOTIMPL;
}

}  // namespace qdk::frame
