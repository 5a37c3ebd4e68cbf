// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "net/ftphost.h"

namespace zw::test {

// Stands in for the update dialog and the worker thread: records what the FTP window posts.
class RecordingHost final : public IFtpHost {
 public:
  struct Posted {
    NetMessage message;
    int parameter;
    std::string text;
  };

  void PostToDialog(NetMessage message, int parameter, std::string text) override {
    m_posted.push_back({message, parameter, std::move(text)});
  }
  void CloseWindow() override { m_closed = true; }

  bool Closed() const { return m_closed; }
  bool Done() const { return Count(NetMessage::kDone) > 0; }
  bool Succeeded() const {
    for (const Posted& p : m_posted) {
      if (p.message == NetMessage::kDone) {
        return p.parameter == 1;
      }
    }
    return false;
  }
  std::size_t Count(NetMessage message) const {
    std::size_t n = 0;
    for (const Posted& p : m_posted) {
      n += p.message == message ? 1 : 0;
    }
    return n;
  }
  // The progress list as the dialog shows it: kind 1 replaces the last line.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const Posted& p : m_posted) {
      if (p.message != NetMessage::kStatus) {
        continue;
      }
      if (p.parameter == kStatusReplaceLast && !lines.empty()) {
        lines.pop_back();
      }
      lines.push_back(p.text);
    }
    return lines;
  }
  // The text of the error line, empty when there was none.
  std::string ErrorText() const {
    for (const Posted& p : m_posted) {
      if (p.message == NetMessage::kStatus && p.parameter == kStatusError) {
        return p.text;
      }
    }
    return {};
  }
  const std::vector<Posted>& AllPosted() const { return m_posted; }

 private:
  std::vector<Posted> m_posted;
  bool m_closed = false;
};

}  // namespace zw::test
