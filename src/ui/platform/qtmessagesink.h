// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "platform/messagesink.h"

class QWidget;

namespace zw {

// Shows the core's messages as modal message boxes captioned "Zonewright", over the window in
// front, in the user's language where a translation is loaded.
class CQtMessageSink final : public IMessageSink {
 public:
  // parent: the window the boxes are centred over when none of the program's is in front;
  // may be null.
  explicit CQtMessageSink(QWidget* parent = nullptr) : m_parent(parent) {}

  void SetParent(QWidget* parent) { m_parent = parent; }
  // Runs before every box, as long as it is set: the start-up splash, which stays on top,
  // gets out of the way of the first message.
  void SetBeforeBox(std::function<void()> beforeBox) { m_beforeBox = std::move(beforeBox); }

  void Warn(const std::string& text) override;
  void Inform(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;

 private:
  // Clears the way for a box and names its parent.
  QWidget* PrepareBox();

  QWidget* m_parent;
  std::function<void()> m_beforeBox;
};

}  // namespace zw
