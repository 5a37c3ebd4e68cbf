// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <optional>

class QTextStream;

namespace zw {

// The questions a command line can ask before any window opens: --help and --version answer
// and end the program, an option the program does not know ends it with the usage. The "/H"
// hour switch is no option to the parser and passes through, including a signed value given
// as an argument of its own ("/H -5").
class CCommandLine {
 public:
  static constexpr int kUsageError = 2;

  // `arguments` start with the program's name. Gives the exit code when the program should
  // end now, after writing answers to `out` and complaints to `err`; nothing when it runs.
  static std::optional<int> ExitCode(const QStringList& arguments, QTextStream& out,
                                     QTextStream& err);
};

}  // namespace zw
