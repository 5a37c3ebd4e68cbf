// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/stderrsink.h"

#include "cli/latin1.h"

namespace zw {

void CStderrSink::Print(const std::string& text) {
  m_err << "zw: " << CLatin1::ToUtf8(text) << '\n';
}

void CStderrSink::Warn(const std::string& text) {
  Print(text);
}

void CStderrSink::Inform(const std::string& text) {
  Print(text);
}

bool CStderrSink::AskYesNo(const std::string& text) {
  Print(text);
  return false;
}

}  // namespace zw
