#include "HistoryRange.h"

namespace orv::viewing {

HistoryRange::Verdict HistoryRange::judge(QDate today) const
{
    if (to >= today) return Verdict::EndNotBeforeToday;
    if (from > to) return Verdict::StartAfterEnd;
    return Verdict::Load;
}

}  // namespace orv::viewing
