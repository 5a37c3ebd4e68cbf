#pragma once

#include <QEvent>
#include <string>

#include "net/netmessage.h"

namespace zw {

// One message of the update dialog, the FTP worker or the time synchronisation, posted
// between threads: its number is the event type, and it carries its own copy of its text.
class CNetEvent final : public QEvent {
 public:
  CNetEvent(NetMessage message, int parameter, std::string text)
      : QEvent(static_cast<QEvent::Type>(static_cast<int>(message))),
        m_parameter(parameter),
        m_text(std::move(text)) {}

  NetMessage Message() const { return static_cast<NetMessage>(static_cast<int>(type())); }
  int Parameter() const { return m_parameter; }
  const std::string& Text() const { return m_text; }

 private:
  int m_parameter;
  std::string m_text;
};

// The message numbers lie in Qt's range for user event types.
static_assert(static_cast<int>(NetMessage::kControl) > QEvent::User);
static_assert(static_cast<int>(NetMessage::kReady) < QEvent::MaxUser);

}  // namespace zw
