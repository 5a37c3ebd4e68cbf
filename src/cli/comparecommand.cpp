// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/comparecommand.h"

#include "cli/jsonwriter.h"
#include "cli/latin1.h"
#include "cli/localtimes.h"
#include "cli/tablewriter.h"
#include "locations/comparetimes.h"

namespace zw {

void CCompareCommand::Write(CLocation& left, CLocation& right, const CDateTime& gmt,
                            const DisplayOptions& options, bool json, std::ostream& out) {
  CLocalTimes times(options);
  const CLocalTimes::Entry leftEntry = times.Add(left, gmt);
  const CLocalTimes::Entry rightEntry = times.Add(right, gmt);
  const std::string sentence =
      CCompareTimes::Sentence(left, leftEntry.local, right, rightEntry.local);
  if (json) {
    CJsonWriter writer;
    writer.BeginObject().Key("left");
    CLocalTimes::WriteObject(writer, leftEntry);
    writer.Key("right");
    CLocalTimes::WriteObject(writer, rightEntry);
    writer.StringField("sentence", sentence).EndObject();
    out << writer.Text() << '\n';
    return;
  }
  CTableWriter table;
  times.AddRows(table);
  table.Write(out);
  if (!sentence.empty()) {
    out << CLatin1::ToUtf8(sentence) << '\n';
  }
}

}  // namespace zw
