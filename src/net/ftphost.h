// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "net/netmessage.h"

namespace zw {

// What the FTP window needs from its surroundings: the dialog its messages go to, and the
// thread it lives on, which ends when the window closes.
class IFtpHost {
 public:
  virtual ~IFtpHost() = default;
  // Posts one message to the dialog; the text travels as a copy of its own.
  virtual void PostToDialog(NetMessage message, int parameter, std::string text) = 0;
  // The window is done: destroy it and end its thread once the current event is handled.
  virtual void CloseWindow() = 0;
};

}  // namespace zw
