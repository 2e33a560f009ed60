#pragma once

#include <qdk_orv/automation.h>

#include <new>

namespace qdk::frame {

// Runs a method body so that no exception leaves the library. A step that throws ends the body;
// like any other failed step it leaves the result as it stands, and the method still succeeds.
template <class Body>
HRESULT guarded(Body&& body) noexcept
{
    try {
        return body();
    } catch (...) {
        return S_OK;
    }
}

}  // namespace qdk::frame
