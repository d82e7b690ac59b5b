#pragma once

#include <string>
#include <vector>

#include "interchange/lead_sheet.h"

namespace kaz {

//! Make the form marks of measures read from another program's file a form the chart plays as that program
//! does: two coda signs are "To Coda" and the coda; a D.S. or D.C. over a song with "To Coda" goes al Coda;
//! a repeat sign goes back where the file's goes, its opening sign written out; an ending that goes back is
//! followed by the next one; a jump without its sign, a repeat inside a repeat, one never closed, and a
//! second segno or coda are left out. endingEnds tells, where the file says so, that the ending being
//! played ends with that measure. Returns what was left out, one remark each.
[[nodiscard]] std::vector<Message> SettleForm(std::vector<SheetMeasure>& measures,
                                              const std::vector<bool>& endingEnds = {});

}  // namespace kaz
