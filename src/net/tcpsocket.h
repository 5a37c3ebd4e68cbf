// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/socket.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "net/hostaddresses.h"
#include "net/replylines.h"
#include "net/sockettarget.h"
#include "platform/translatable.h"

namespace zw {

class IMessageSink;
class ISocketEvents;

// A TCP socket on a non-blocking POSIX descriptor whose events come through the thread's
// ISocketEvents. With a target it passes every event on (notifying mode); without one it cuts
// what arrives into lines for ReadLine (synchronous mode). Every failure leaves the socket in
// kStatusFailed and is kept (LastFailure, LastError); it is also shown to the user at once
// unless the owner tells the user itself (SetShowFailures).
class CTcpSocket {
 public:
  enum Status : std::int32_t {
    kStatusNone = 0,
    kStatusOpen = 1,
    kStatusConnecting = 2,
    kStatusListening = 3,
    kStatusConnected = 5,
    kStatusFailed = 6,
  };
  // The events a socket can ask for.
  enum Event : unsigned {
    kRead = 1,
    kWrite = 2,
    kOutOfBand = 4,
    kAccept = 8,
    kConnect = 16,
    kClose = 32,
  };
  static constexpr unsigned kAllEvents = 63;
  static constexpr int kNotifyStateChanged = -100;
  static constexpr int kNotifyAccepted = -101;
  // One receive takes at most this many bytes.
  static constexpr std::size_t kBufferSize = 520;
  static constexpr std::chrono::milliseconds kDefaultReadTimeout{60000};
  // A line beyond this length is no reply of a protocol spoken here; it fails the socket.
  static constexpr std::size_t kMaxLineBytes = 4096;

  static constexpr const char* kOpenFailed = ZW_TR_NOOP("Core", "Unable to open a new socket.");
  static constexpr const char* kListeningSelectFailed =
      ZW_TR_NOOP("Core", "Listening AsyncSelect failed.");
  static constexpr const char* kConnectedSelectFailed =
      ZW_TR_NOOP("Core", "Connected AsyncSelect failed.");
  static constexpr const char* kDefaultSelectFailed =
      ZW_TR_NOOP("Core", "Default AsyncSelect failed.");
  static constexpr const char* kListenSelectFailed = "AsyncSelect failed for Listen.";
  static constexpr const char* kListenFailed = ZW_TR_NOOP("Core", "Listen failed.");
  static constexpr const char* kHelperSelectFailed = "AsyncSelect failed in ConnectHelper.";
  static constexpr const char* kConnectFailed =
      ZW_TR_NOOP("Core", "Connect failed in ConnectHelper.");
  static constexpr const char* kConnectError = "Error received in trying to connect to host. ";
  static constexpr const char* kConnectTimedOut = "Timed out waiting for connection - try later";
  static constexpr const char* kConnectRefused =
      ZW_TR_NOOP("Core", "Connection refused - try later.");
  static constexpr const char* kConnectErrorCode = "Error code = ";
  static constexpr const char* kReceiveFailedInOnReceive =
      ZW_TR_NOOP("Core", "Receive failed in OnReceive.");
  static constexpr const char* kReceiveFailed = ZW_TR_NOOP("Core", "Receive failed.");
  static constexpr const char* kLineTooLong =
      ZW_TR_NOOP("Core", "Receive failed: the host sent a line too long.");
  static constexpr const char* kSendFailed = ZW_TR_NOOP("Core", "Send failed.");
  static constexpr const char* kAcceptFailed = ZW_TR_NOOP("Core", "Accept socket failed.");
  static constexpr const char* kAcceptWithoutTarget =
      "Received Async FD_ACCEPT without a target to get new CTcpSocket";

  // Where one end of a connection is: a numeric IPv4 or IPv6 address and a port.
  struct Endpoint {
    int family = AF_INET;
    std::string host;
    std::uint16_t port = 0;
  };

  // create: make an IPv4 TCP socket bound to any local port; otherwise the object stays empty.
  CTcpSocket(ISocketEvents& events, IMessageSink& messages, bool create);
  ~CTcpSocket();
  CTcpSocket(const CTcpSocket&) = delete;
  CTcpSocket& operator=(const CTcpSocket&) = delete;

  // Null target: synchronous mode. Either way lines received so far are dropped.
  bool AttachWindow(ISocketTarget* target, unsigned message);
  // A numeric IPv4 or IPv6 address or a host name, whose addresses are tried in turn until
  // one answers. False without a message when the name is not found; completion is told by
  // kNotifyStateChanged.
  bool Connect(const std::string& host, std::uint16_t port);
  // A fresh socket of `family` (AF_INET, AF_INET6) bound to any local port, in place of the
  // one held, e.g. to listen on the family of another connection.
  bool Reopen(int family);
  bool Listen(int backlog);
  // Sends at once what the connection takes; the rest waits in the send queue.
  void SendText(std::string text);
  // Synchronous mode: the next line with its line end, waiting for it while the thread's
  // other events go on. Empty when the peer closed, on a failure (a line longer than
  // kMaxLineBytes is one), when the wait ran out or the thread is shutting down, and at once
  // in notifying mode. The socket must outlive the wait. Without a deadline the wait is the
  // read timeout; the deadline holds even while data keeps coming.
  std::string ReadLine();
  std::string ReadLine(std::chrono::steady_clock::time_point deadline);
  // Shows `text` (with " RC = " and `code` when above 0), marks the socket failed and
  // returns the code.
  int ReportError(std::string text, int code = errno);

  Status GetStatus() const { return m_status; }
  // The last failure's text and system error code (0 when it had none); empty before one.
  const std::string& LastFailure() const { return m_lastFailure; }
  int LastError() const { return m_lastError; }
  // False: failures are only kept, for an owner that reports them in its own words.
  void SetShowFailures(bool show) { m_showFailures = show; }
  std::size_t QueuedSends() const { return m_sendQueue.size(); }
  // The local IPv4 address (host order) and port; false when the socket has none.
  bool LocalAddress(std::uint32_t& address, std::uint16_t& port) const;
  std::optional<Endpoint> LocalEndpoint() const;
  std::optional<Endpoint> PeerEndpoint() const;
  // How long ReadLine waits for a line.
  void SetReadTimeout(std::chrono::milliseconds timeout) { m_readTimeout = timeout; }

  // Readiness of the descriptor, from the thread's events.
  void OnReadable();
  void OnWritable();

 private:
  // A connection just accepted by a listening socket.
  CTcpSocket(ISocketEvents& events, IMessageSink& messages, int acceptedFd);

  bool Select(unsigned events);
  void UpdateWatch();
  // Tries the next of the resolved addresses; false when none is left to try.
  bool ConnectNext();
  bool ConnectHelper(const sockaddr_storage& address, socklen_t length);
  void OnReceive();
  void OnAccept();
  void OnConnect(int error);
  void OnClose();
  // Callers return right after: the target may destroy this socket.
  void Notify(SocketNotice notice);
  // False when a line grew beyond kMaxLineBytes; the socket has failed then.
  bool CutLines(std::span<const char> bytes);
  void SendQueued();
  void ShowFailure(std::string text, int code);

  ISocketEvents& m_events;
  IMessageSink& m_messages;
  int m_fd = -1;
  Status m_status = kStatusNone;
  ISocketTarget* m_target = nullptr;
  unsigned m_message = 0;
  unsigned m_selected = 0;
  CLineBuffer m_lines{kMaxLineBytes};
  std::deque<std::string> m_sendQueue;
  std::chrono::milliseconds m_readTimeout = kDefaultReadTimeout;
  int m_family = AF_INET;
  // Addresses of the host being connected to that are still to be tried.
  HostAddresses m_candidates;
  bool m_showFailures = true;
  std::string m_lastFailure;
  int m_lastError = 0;
};

}  // namespace zw
