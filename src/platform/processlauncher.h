// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zw {

// Starts programs the way an alarm names them, without a shell: the command line is split
// into words, the program is looked up on PATH, and it runs in the given directory. Nothing
// in the command is ever interpreted, so an event cannot smuggle in redirections or `;`.
class CProcessLauncher {
 public:
  // Words separated by blanks; "double quotes" group words and allow \" and \\ inside,
  // 'single quotes' take everything literally. An unterminated quote gives nothing.
  static std::optional<std::vector<std::string>> SplitCommandLine(std::string_view commandLine);

  // false when the command is empty or malformed, the program cannot be found or run, or the
  // directory does not exist; `error`, when given, then receives the errno value saying why.
  // An empty directory keeps this process's current directory. The started program is not
  // waited for; it is reaped in the background when it ends.
  static bool Start(std::string_view commandLine, const std::string& directory,
                    int* error = nullptr);
};

}  // namespace zw
