#pragma once

#include <qdk_orv/automation.h>

namespace qdk::genfuns {

// Variant equality as Automation compares values: texts by their characters with letter case,
// numbers (and Booleans, true being -1) by value, empty equal to 0 and to the empty text, a
// number never equal to a text; anything else (null, objects, arrays) equals nothing.
bool variantsEqual(const VARIANT& a, const VARIANT& b);

// Whether some element of a one-dimensional array equals target; false for a null or empty
// array and for an array of a kind that holds no comparable values.
bool isMember(const VARIANT& target, SAFEARRAY* list);

}  // namespace qdk::genfuns
