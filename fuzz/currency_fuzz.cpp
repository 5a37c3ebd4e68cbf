// SPDX-License-Identifier: GPL-3.0-or-later
// A currency rate file, and a conversion between its first and last currency.
#include <string>

#include "convert/converter.h"
#include "convert/currencyfile.h"
#include "fuzzsupport.h"

using namespace zw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CCurrencyFile file;
  file.Parse({data, size});
  const auto& records = file.Records();
  if (records.empty()) {
    return 0;
  }
  file.Find(records.back().name, 0);
  file.Find(std::string(40, 'x'), static_cast<int>(records.size()));
  fuzz::CountingSink sink;
  for (const char* amount : {"1", "123456789012.5"}) {
    CConverter::Currency(amount, records.front().rate, records.back().rate, sink);
  }
  return 0;
}
