#include "ClassTable.h"

#include "APIFuns.h"
#include "Base64.h"
#include "GenFuns.h"
#include "Registry.h"
#include "TxtFile.h"

#include <qdk_orv/qdk_orv.h>

#include <new>

namespace qdk::frame {

namespace {

template <class T>
IUnknown* make() noexcept
{
    try {
        return static_cast<IUnknown*>(new T());
    } catch (...) {
        return nullptr;  // the factory answers E_OUTOFMEMORY
    }
}

ClassFactory genFunsFactory(&make<genfuns::GenFuns>);
ClassFactory apiFunsFactory(&make<apifuns::APIFuns>);
ClassFactory txtFileFactory(&make<txtfile::TxtFile>);
ClassFactory base64Factory(&make<base64::Base64>);
ClassFactory registryFactory(&make<registry::Registry>);

const ClassEntry entries[] = {
    {CLSID_GenFuns, IID__GenFuns, "QDK_ORV.GenFuns", genFunsFactory},
    {CLSID_APIFuns, IID__APIFuns, "QDK_ORV.APIFuns", apiFunsFactory},
    {CLSID_TxtFile, IID__TxtFile, "QDK_ORV.TxtFile", txtFileFactory},
    {CLSID_Base64, IID__Base64, "QDK_ORV.Base64", base64Factory},
    {CLSID_Registry, IID__Registry, "QDK_ORV.Registry", registryFactory},
};

}  // namespace

std::span<const ClassEntry> classTable() { return entries; }

}  // namespace qdk::frame
