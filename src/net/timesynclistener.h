// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zw {

// The dialog a time synchronisation reports to, as its worker sees it.
class ITimeSyncListener {
 public:
  virtual ~ITimeSyncListener() = default;
  // False once the dialog that started the worker has closed.
  virtual bool DialogOpen() const = 0;
  // Appends `text` to the dialog's report; dropped when the dialog has closed.
  virtual void Report(const std::string& text) = 0;
};

}  // namespace zw
