// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/timescommand.h"

#include "cli/jsonwriter.h"
#include "cli/localtimes.h"
#include "cli/tablewriter.h"
#include "locations/location.h"

namespace zw {

void CTimesCommand::Write(const std::vector<CLocation*>& locations, const CDateTime& gmt,
                          const DisplayOptions& options, bool json, std::ostream& out) {
  CLocalTimes times(options);
  for (CLocation* location : locations) {
    times.Add(*location, gmt);
  }
  if (json) {
    CJsonWriter writer;
    times.WriteArray(writer);
    out << writer.Text() << '\n';
    return;
  }
  CTableWriter table;
  times.AddRows(table);
  table.Write(out);
}

CDateTime CTimesCommand::FromWallClock(const CLocation& location, const CDateTime& local) {
  return location.Zone().ToGmtForComparison(local);
}

}  // namespace zw
