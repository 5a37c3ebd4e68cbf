// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace zw {

// Why zw stops before it has printed a result, with the exit status that tells a script
// which kind of trouble it was.
class CCliError : public std::runtime_error {
 public:
  enum Status { kFailure = 1, kUsage = 2, kNotFound = 3 };

  CCliError(Status status, const std::string& message)
      : std::runtime_error(message), m_status(status) {}

  Status GetStatus() const { return m_status; }

 private:
  Status m_status;
};

}  // namespace zw
