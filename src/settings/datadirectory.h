// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zw {

class IFileLayer;
class IMessageSink;

// The directory the program works in: every data file is opened there by its bare name.
class CDataDirectory {
 public:
  static constexpr std::string_view kSuppliedFiles[] = {"TIME_ZON.DAT", "TIME_ZON.TZN",
                                                        "CURRENCY.DAT", "MEASURE.DAT"};
  // What was copied in, one line per supplied file: its name, the checksum of the copy, and
  // the checksum of the installed file the user was last told about (or "-").
  static constexpr std::string_view kManifestName = "SUPPLIED.SUM";

  // $ZONEWRIGHT_DATA_DIR, else $XDG_DATA_HOME/zonewright, else ~/.local/share/zonewright.
  static std::string Choose();

  // Creates `directory`, brings in the supplied files from the first of `sources` that has
  // each (see Refresh), and makes it the current directory. False when it cannot be entered.
  static bool Enter(const std::string& directory, const std::vector<std::string>& sources,
                    IFileLayer& files, IMessageSink& messages);

  // For each supplied file: copies in a missing one; replaces one the user has not changed
  // since it was copied when the installed one differs; keeps a changed one and tells the user
  // once per installed version how to take the new one. A file that cannot be read is never
  // replaced.
  static void Refresh(const std::string& directory, const std::vector<std::string>& sources,
                      IFileLayer& files, IMessageSink& messages);

  static std::string NewerFileMessage(const std::string& path);
};

}  // namespace zw
