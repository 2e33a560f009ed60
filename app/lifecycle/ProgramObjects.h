#pragma once

#include <qdk_orv/com_ptr.h>
#include <qdk_orv/qdk_orv.h>

namespace orv::lifecycle {

// The library objects Orvane keeps for its whole run, created by class and interface identifier
// in the order general functions, system functions, text file, and released in reverse.
// An object that cannot be created stays null; every user checks before a call.
class ProgramObjects {
public:
    ProgramObjects();
    ProgramObjects(const ProgramObjects&) = delete;
    ProgramObjects& operator=(const ProgramObjects&) = delete;
    ~ProgramObjects();

    _GenFuns* genFuns() const { return genFuns_.get(); }
    _APIFuns* apiFuns() const { return apiFuns_.get(); }
    _TxtFile* txtFile() const { return txtFile_.get(); }

private:
    qdk::ComPtr<_GenFuns> genFuns_;
    qdk::ComPtr<_APIFuns> apiFuns_;
    qdk::ComPtr<_TxtFile> txtFile_;
};

// One object of the library by its identifiers, through the library's own entry point.
template <class I>
qdk::ComPtr<I> createLibraryObject(REFCLSID clsid, REFIID iid)
{
    qdk::ComPtr<IClassFactory> factory;
    if (FAILED(DllGetClassObject(clsid, IID_IClassFactory, factory.put()))) return {};
    qdk::ComPtr<I> object;
    if (FAILED(factory->CreateInstance(nullptr, iid, object.put()))) return {};
    return object;
}

}  // namespace orv::lifecycle
