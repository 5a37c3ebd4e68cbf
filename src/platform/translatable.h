// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The core has no translator. It marks each text it shows the user, so that the translation
// template collects it, and the window that shows the text looks it up under the context
// kCoreTextContext. Every mark names that context: the window cannot tell where a text came
// from.
#define ZW_TR_NOOP(context, text) text

namespace zw {

inline constexpr const char* kCoreTextContext = "Core";

}  // namespace zw
