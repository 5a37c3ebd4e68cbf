// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "timecore/zone.h"
#include "ui/widgets/monthgrid.h"

namespace zw {

class CEventList;
class CNotesFile;

// The marks of month grids: days on which an event comes, in `basis` time (null: GMT), and
// days that hold a note. Both lists must outlive the marker; notes may be null.
CMonthGrid::DayMarker EventDayMarker(const CEventList& events, const CNotesFile* notes,
                                     std::optional<CZone> basis);

}  // namespace zw
