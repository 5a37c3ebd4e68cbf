// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "platform/messagesink.h"

namespace zw {

// What the loaders have to say goes to the error stream, one line each, prefixed with the
// program's name; a terminal has no one to answer a question, so every question is No.
class CStderrSink final : public IMessageSink {
 public:
  explicit CStderrSink(std::ostream& err) : m_err(err) {}

  void Warn(const std::string& text) override;
  void Inform(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;

 private:
  void Print(const std::string& text);

  std::ostream& m_err;
};

}  // namespace zw
