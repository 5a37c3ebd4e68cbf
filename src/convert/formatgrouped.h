// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace zw {

// The text a number field shows: the integer part in comma-separated groups of three, then
// the first period and whatever follows it untouched. An empty `text` regroups `current`,
// the field's own text. A leading sign stays in front of the first group.
std::string FormatGrouped(std::string_view text, std::string_view current);

}  // namespace zw
