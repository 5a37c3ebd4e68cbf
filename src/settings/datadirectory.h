#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zw {

// The directory the program works in: every data file is opened there by its bare name.
class CDataDirectory {
 public:
  static constexpr std::string_view kSuppliedFiles[] = {"TIME_ZON.DAT", "CURRENCY.DAT",
                                                        "MEASURE.DAT"};

  // $ZONEWRIGHT_DATA_DIR, else $XDG_DATA_HOME/zonewright, else ~/.local/share/zonewright.
  static std::string Choose();

  // Creates `directory`, copies in each supplied file it lacks from the first of `sources`
  // that has it (an existing file is never overwritten, so the user's data and downloaded
  // updates survive), and makes it the current directory. False when it cannot be entered.
  static bool Enter(const std::string& directory, const std::vector<std::string>& sources);
};

}  // namespace zw
