#include "ProgramObjects.h"

namespace orv::lifecycle {

ProgramObjects::ProgramObjects()
    : genFuns_(createLibraryObject<_GenFuns>(CLSID_GenFuns, IID__GenFuns)),
      apiFuns_(createLibraryObject<_APIFuns>(CLSID_APIFuns, IID__APIFuns)),
      txtFile_(createLibraryObject<_TxtFile>(CLSID_TxtFile, IID__TxtFile))
{
}

ProgramObjects::~ProgramObjects()
{
    txtFile_.reset();
    apiFuns_.reset();
    genFuns_.reset();
}

}  // namespace orv::lifecycle
