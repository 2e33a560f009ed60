#pragma once

#include "ClassFactory.h"

#include <qdk_orv/unknown.h>

#include <span>

namespace qdk::frame {

// One class the module serves.
struct ClassEntry {
    const CLSID& clsid;
    const IID& interfaceId;
    const char* name;  // programmatic name, "QDK_ORV.<class>"
    ClassFactory& factory;
};

// The module's five classes, in the type library's order.
std::span<const ClassEntry> classTable();

}  // namespace qdk::frame
