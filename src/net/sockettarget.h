// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <span>

namespace zw {

class CTcpSocket;

// One notification of a socket to its target.
struct SocketNotice {
  // The count of received bytes (0 or more), or CTcpSocket::kNotifyStateChanged or
  // CTcpSocket::kNotifyAccepted.
  int code = 0;
  // The received bytes in the thread's shared receive buffer: copy them before returning.
  std::span<const char> bytes;
  // With kNotifyAccepted: the new connection, from now on the target's.
  std::unique_ptr<CTcpSocket> accepted;
};

// Where a socket in notifying mode sends its events.
class ISocketTarget {
 public:
  virtual ~ISocketTarget() = default;
  // `message` is the number the socket was attached with. The target may destroy the
  // socket during the call.
  virtual void OnSocketNotify(unsigned message, SocketNotice notice) = 0;
};

}  // namespace zw
