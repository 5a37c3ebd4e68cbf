#pragma once

#include "platform/messagesink.h"

class QWidget;

namespace zw {

// Shows the core's messages as modal message boxes captioned "Zonewright".
class CQtMessageSink final : public IMessageSink {
 public:
  // parent: the window the boxes are centred over; may be null.
  explicit CQtMessageSink(QWidget* parent = nullptr) : m_parent(parent) {}

  void SetParent(QWidget* parent) { m_parent = parent; }

  void Warn(const std::string& text) override;
  void Inform(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;

 private:
  QWidget* m_parent;
};

}  // namespace zw
