// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/messagesink.h"

namespace zw::test {

// Records every message; questions take scripted answers (No once the script runs out).
class RecordingSink final : public IMessageSink {
 public:
  enum class Kind { kWarn, kInform, kAsk };
  struct Message {
    Kind kind;
    std::string text;
  };

  void Warn(const std::string& text) override { m_messages.push_back({Kind::kWarn, text}); }
  void Inform(const std::string& text) override { m_messages.push_back({Kind::kInform, text}); }
  bool AskYesNo(const std::string& text) override {
    m_messages.push_back({Kind::kAsk, text});
    if (m_answers.empty()) {
      return false;
    }
    const bool answer = m_answers.front();
    m_answers.pop_front();
    return answer;
  }

  void Answer(bool yes) { m_answers.push_back(yes); }
  const std::vector<Message>& Messages() const { return m_messages; }
  std::string LastText() const {
    return m_messages.empty() ? std::string() : m_messages.back().text;
  }
  void Clear() { m_messages.clear(); }

 private:
  std::vector<Message> m_messages;
  std::deque<bool> m_answers;
};

}  // namespace zw::test
