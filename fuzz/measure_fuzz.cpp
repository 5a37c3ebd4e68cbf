// SPDX-License-Identifier: GPL-3.0-or-later
// A measurement file: its categories and units, and a conversion within each category.
#include "convert/measurefile.h"
#include "fuzzsupport.h"

using namespace zw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CMeasureFile file;
  file.Parse({data, size});
  const auto categories = file.Categories();
  // A real file has a handful of categories; each one's search goes through every line.
  for (std::size_t c = 0; c < categories.size() && c < 16; ++c) {
    const auto metric = file.Units(categories[c].code, CMeasureFile::kMetricKey);
    const auto us = file.Units(categories[c].code, CMeasureFile::kUsKey);
    if (!metric.empty() && !us.empty()) {
      fuzz::CountingSink sink;
      CConverter::Measure("-40", file.Terms(c, metric.front().line, us.back().line), sink);
    }
  }
  return 0;
}
