#pragma once

#include <qdk_orv/unknown.h>

namespace qdk::frame {

// Makes a new object of one class with one reference, or returns null when out of memory.
using ObjectMaker = IUnknown* (*)();

// The factory of one class. Factories live as long as the module; their references do not keep
// it loaded, LockServer does.
class ClassFactory final : public IClassFactory {
public:
    explicit constexpr ClassFactory(ObjectMaker make) : make_(make) {}

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT LockServer(int lock) override;

private:
    ObjectMaker make_;
};

}  // namespace qdk::frame
