// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zw {

// Lets assistive technology read the painted clock: the clock window gets one text child per
// line, named as the line would be read aloud. Installing more than once does nothing more.
void InstallClockAccessibility();

}  // namespace zw
