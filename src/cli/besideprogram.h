// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zw {

// `relative` to the parent of the running program's folder, where an installation keeps its
// share/ and lib/ beside bin/ (and the build tree mirrors them); empty when the program cannot
// tell where it runs from.
std::string BesideProgram(const std::string& relative);

}  // namespace zw
