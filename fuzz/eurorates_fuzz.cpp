// SPDX-License-Identifier: GPL-3.0-or-later
// A day's euro reference rates as received: whatever is taken into the currency table is a
// rate the converter can use, and the table keeps its size and names.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "convert/currencyfile.h"
#include "convert/eurorates.h"
#include "convert/ratesupdate.h"
#include "fuzzsupport.h"

using namespace zw;

namespace {

std::vector<std::uint8_t> Record(std::string_view name, double rate) {
  std::vector<std::uint8_t> record(CCurrencyFile::kRecordSize, 0);
  record[0] = CCurrencyFile::kRecordMarker;
  std::copy(name.begin(), name.end(), record.begin() + 1);
  std::memcpy(record.data() + CCurrencyFile::kRateOffset, &rate, sizeof rate);
  return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::MemoryFiles files;
  auto& table = files.files[std::string(CCurrencyFile::kFileName)];
  for (const auto& [name, rate] : {std::pair{"United States Dollar", 1.0},
                                   {"Euro", 1.1},
                                   {"Japan Yen", 0.007},
                                   {"Aruba Florin", 0.55}}) {
    const auto record = Record(name, rate);
    table.insert(table.end(), record.begin(), record.end());
  }
  const auto before = table;
  const auto outcome =
      CRatesUpdate::Install(files, std::string_view(reinterpret_cast<const char*>(data), size));
  CCurrencyFile after;
  after.Parse(files.files[std::string(CCurrencyFile::kFileName)]);
  if (after.Records().size() != 4 ||
      (!outcome.error.empty() && files.files[std::string(CCurrencyFile::kFileName)] != before)) {
    std::abort();
  }
  for (const CurrencyRecord& record : after.Records()) {
    if (!std::isfinite(record.rate) || record.rate <= 0) {
      std::abort();
    }
  }
  return 0;
}
