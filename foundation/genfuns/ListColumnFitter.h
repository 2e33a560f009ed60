#pragma once

#include <qdk_orv/unknown.h>

namespace qdk::genfuns {

// Fits every column of a report list to its widest cell text, but never narrower than the
// whole number in its tag. Nothing happens unless the object is a report list in report view
// with at least one row; a column that cannot be measured or set keeps its width.
void fitListColumns(IUnknown* target);

}  // namespace qdk::genfuns
