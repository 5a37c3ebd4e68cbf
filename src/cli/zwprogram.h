// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/commandline.h"

namespace zw {

// One run of zw: reads the words, does what they ask and returns the exit status. Results
// reach `out` only once the whole command has succeeded, so a failing run prints no half
// result; messages go to `err`. Listings that may run to millions of rows (events, find) are
// the exception: they are written as they are made, once all they name has been found.
// Output that cannot be written (a full disk, a closed pipe) fails the run.
class CZwProgram {
 public:
  CZwProgram(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

  int Run(const std::vector<std::string>& words);

 private:
  int RunCommand(const std::vector<std::string>& words);
  void Dispatch(const Invocation& invocation, std::ostream& result, std::ostream& listing);

  std::ostream& m_out;
  std::ostream& m_err;
};

}  // namespace zw
