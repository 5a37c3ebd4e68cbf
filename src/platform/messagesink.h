// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace zw {

// How the core reports to the user. The program shows each call as a message box captioned
// kCaption; tests record the calls and script the answers.
class IMessageSink {
 public:
  static constexpr std::string_view kCaption = "Zonewright";

  virtual ~IMessageSink() = default;
  // An error the user has to correct or accept (warning icon).
  virtual void Warn(const std::string& text) = 0;
  // A hint about recovery (information icon).
  virtual void Inform(const std::string& text) = 0;
  // A confirmation; true when the user answered Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
};

}  // namespace zw
