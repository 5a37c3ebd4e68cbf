// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/tcpsocket.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <memory>

#include "net/hostaddresses.h"
#include "net/socketevents.h"
#include "platform/messagesink.h"

namespace zw {

namespace {

// One receive buffer for all sockets of a thread: a notification's bytes live only until its
// handler returns, so the sockets of one thread never need two at once.
thread_local std::array<char, CTcpSocket::kBufferSize + 1> t_buffer;

bool WouldBlock(int error) {
  return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

std::optional<CTcpSocket::Endpoint> ToEndpoint(const sockaddr_storage& address) {
  CTcpSocket::Endpoint endpoint;
  endpoint.family = address.ss_family;
  char text[INET6_ADDRSTRLEN] = {};
  const void* raw = nullptr;
  if (address.ss_family == AF_INET) {
    const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
    raw = &v4.sin_addr;
    endpoint.port = ntohs(v4.sin_port);
  } else if (address.ss_family == AF_INET6) {
    const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
    raw = &v6.sin6_addr;
    endpoint.port = ntohs(v6.sin6_port);
  } else {
    return std::nullopt;
  }
  if (::inet_ntop(address.ss_family, raw, text, sizeof text) == nullptr) {
    return std::nullopt;
  }
  endpoint.host = text;
  return endpoint;
}

}  // namespace

CTcpSocket::CTcpSocket(ISocketEvents& events, IMessageSink& messages, bool create)
    : m_events(events), m_messages(messages) {
  if (create) {
    Reopen(AF_INET);
  }
}

bool CTcpSocket::Reopen(int family) {
  if (m_fd >= 0) {
    m_events.Forget(*this);
    ::close(m_fd);
  }
  m_status = kStatusNone;
  m_family = family;
  m_fd = ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (m_fd < 0) {
    ReportError(kOpenFailed);
    return false;
  }
  sockaddr_storage any{};
  socklen_t length = sizeof(sockaddr_in);
  any.ss_family = static_cast<sa_family_t>(family);
  if (family == AF_INET6) {
    length = sizeof(sockaddr_in6);  // the unspecified address is all zeros
  } else {
    reinterpret_cast<sockaddr_in&>(any).sin_addr.s_addr = htonl(INADDR_ANY);
  }
  if (::bind(m_fd, reinterpret_cast<const sockaddr*>(&any), length) != 0) {
    ReportError(kOpenFailed);
    return false;
  }
  m_status = kStatusOpen;
  Select(kAllEvents);
  return true;
}

CTcpSocket::CTcpSocket(ISocketEvents& events, IMessageSink& messages, int acceptedFd)
    : m_events(events), m_messages(messages), m_fd(acceptedFd), m_status(kStatusConnected) {}

CTcpSocket::~CTcpSocket() {
  if (m_fd < 0) {
    return;
  }
  m_events.Forget(*this);
  ::close(m_fd);
}

int CTcpSocket::ReportError(std::string text, int code) {
  m_status = kStatusFailed;
  UpdateWatch();
  ShowFailure(std::move(text), code);
  return code;
}

void CTcpSocket::ShowFailure(std::string text, int code) {
  m_lastError = code > 0 ? code : 0;
  if (code > 0) {
    text += " RC = ";
    text += std::to_string(code);
  }
  m_lastFailure = text;
  if (m_showFailures) {
    m_messages.Warn(text);
  }
}

bool CTcpSocket::Select(unsigned events) {
  if (m_fd < 0) {
    errno = EBADF;
    return false;
  }
  m_selected = events;
  UpdateWatch();
  return true;
}

// Readiness is asked for only where it means an event: an idle or closed socket would
// otherwise report itself ready over and over.
void CTcpSocket::UpdateWatch() {
  if (m_fd < 0) {
    return;
  }
  const bool connected = m_status == kStatusConnected;
  const bool read = (m_status == kStatusListening && (m_selected & kAccept) != 0) ||
                    (connected && (m_selected & (kRead | kClose)) != 0);
  const bool write = (m_status == kStatusConnecting && (m_selected & kConnect) != 0) ||
                     (connected && (m_selected & kWrite) != 0 && !m_sendQueue.empty());
  m_events.Watch(*this, m_fd, read, write);
}

bool CTcpSocket::AttachWindow(ISocketTarget* target, unsigned message) {
  m_target = target;
  m_message = message;
  m_lines.Clear();
  switch (m_status) {
    case kStatusListening:
      if (!Select(kAccept)) {
        ReportError(kListeningSelectFailed);
        return false;
      }
      return true;
    case kStatusConnected:
      if (!Select(kRead | kWrite | kClose)) {
        ReportError(kConnectedSelectFailed);
        return false;
      }
      return true;
    default:
      if (!Select(kConnect | kClose)) {
        ReportError(kDefaultSelectFailed);
        return false;
      }
      return true;
  }
}

bool CTcpSocket::Connect(const std::string& host, std::uint16_t port) {
  m_candidates = ResolveHost(host, port, SOCK_STREAM);
  if (m_candidates.empty()) {
    return false;
  }
  return ConnectNext();
}

// An address that cannot be reached (no IPv6 route, a refusal) passes the turn to the next;
// only the last one's failure is reported.
bool CTcpSocket::ConnectNext() {
  while (!m_candidates.empty()) {
    const auto [address, length] = m_candidates.front();
    m_candidates.erase(m_candidates.begin());
    if ((address.ss_family != m_family || m_status != kStatusOpen) && !Reopen(address.ss_family)) {
      continue;
    }
    if (ConnectHelper(address, length)) {
      return true;
    }
  }
  return false;
}

bool CTcpSocket::ConnectHelper(const sockaddr_storage& address, socklen_t length) {
  m_status = kStatusConnecting;
  if (!Select(kConnect)) {
    ReportError(kHelperSelectFailed);
    return false;
  }
  if (::connect(m_fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
    if (errno == EINPROGRESS) {
      return true;
    }
    if (!m_candidates.empty()) {
      m_status = kStatusFailed;
      return false;
    }
    ReportError(kConnectFailed);
    return false;
  }
  m_selected = kRead | kWrite | kClose;
  m_status = kStatusConnected;
  UpdateWatch();
  Notify({kNotifyStateChanged, {}, nullptr});
  return true;
}

bool CTcpSocket::Listen(int backlog) {
  if (m_target != nullptr && !Select(kAccept)) {
    ReportError(kListenSelectFailed);
    return false;
  }
  if (::listen(m_fd, backlog) != 0) {
    ReportError(kListenFailed);
    return false;
  }
  m_status = kStatusListening;
  UpdateWatch();
  return true;
}

bool CTcpSocket::LocalAddress(std::uint32_t& address, std::uint16_t& port) const {
  sockaddr_in local{};
  socklen_t length = sizeof local;
  if (m_fd < 0 || ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
    return false;
  }
  address = ntohl(local.sin_addr.s_addr);
  port = ntohs(local.sin_port);
  return true;
}

std::optional<CTcpSocket::Endpoint> CTcpSocket::LocalEndpoint() const {
  sockaddr_storage local{};
  socklen_t length = sizeof local;
  if (m_fd < 0 || ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
    return std::nullopt;
  }
  return ToEndpoint(local);
}

std::optional<CTcpSocket::Endpoint> CTcpSocket::PeerEndpoint() const {
  sockaddr_storage peer{};
  socklen_t length = sizeof peer;
  if (m_fd < 0 || ::getpeername(m_fd, reinterpret_cast<sockaddr*>(&peer), &length) != 0) {
    return std::nullopt;
  }
  return ToEndpoint(peer);
}

void CTcpSocket::OnReadable() {
  if (m_status == kStatusListening) {
    OnAccept();
    return;
  }
  OnReceive();
}

void CTcpSocket::OnWritable() {
  if (m_status != kStatusConnecting) {
    SendQueued();
    return;
  }
  int error = 0;
  socklen_t length = sizeof error;
  if (::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
    error = errno;
  }
  OnConnect(error);
}

void CTcpSocket::OnConnect(int error) {
  if (error != 0 && !m_candidates.empty()) {
    if (!ConnectNext()) {
      Notify({kNotifyStateChanged, {}, nullptr});
    }
    return;
  }
  if (error != 0) {
    std::string text(kConnectError);
    if (error == ETIMEDOUT) {
      text += kConnectTimedOut;
    } else if (error == ECONNREFUSED) {
      text += kConnectRefused;
    } else {
      text += kConnectErrorCode;
      text += std::to_string(error);
      text += '.';
    }
    ReportError(std::move(text), error);
    Notify({kNotifyStateChanged, {}, nullptr});
    return;
  }
  m_selected = kRead | kWrite | kClose;
  m_status = kStatusConnected;
  UpdateWatch();
  Notify({kNotifyStateChanged, {}, nullptr});
}

void CTcpSocket::OnReceive() {
  const ssize_t n = ::recv(m_fd, t_buffer.data(), kBufferSize, MSG_DONTWAIT);
  if (n < 0) {
    if (!WouldBlock(errno) && errno != EINPROGRESS) {
      ReportError(kReceiveFailedInOnReceive);
      Notify({kNotifyStateChanged, {}, nullptr});
    }
    return;
  }
  if (n == 0) {
    OnClose();
    return;
  }
  const auto count = static_cast<std::size_t>(n);
  t_buffer[count] = '\0';
  const std::span<const char> bytes(t_buffer.data(), count);
  if (m_target != nullptr) {
    Notify({static_cast<int>(count), bytes, nullptr});
    return;
  }
  CutLines(bytes);  // a failure has been reported
}

void CTcpSocket::OnAccept() {
  const int fd = ::accept4(m_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (fd < 0) {
    if (!WouldBlock(errno)) {
      // The listening socket itself is still sound.
      ShowFailure(kAcceptFailed, errno);
    }
    return;
  }
  std::unique_ptr<CTcpSocket> accepted(new CTcpSocket(m_events, m_messages, fd));
  if (m_target == nullptr) {
    ShowFailure(kAcceptWithoutTarget, 0);
    return;
  }
  Notify({kNotifyAccepted, {}, std::move(accepted)});
}

void CTcpSocket::OnClose() {
  m_status = kStatusOpen;
  UpdateWatch();
  Notify({kNotifyStateChanged, {}, nullptr});
}

void CTcpSocket::Notify(SocketNotice notice) {
  if (m_target != nullptr) {
    m_target->OnSocketNotify(m_message, std::move(notice));
  }
}

bool CTcpSocket::CutLines(std::span<const char> bytes) {
  if (m_lines.Add(bytes)) {
    return true;
  }
  ReportError(kLineTooLong, 0);
  return false;
}

std::string CTcpSocket::ReadLine() {
  return ReadLine(std::chrono::steady_clock::now() + m_readTimeout);
}

std::string CTcpSocket::ReadLine(std::chrono::steady_clock::time_point deadline) {
  if (m_target != nullptr) {
    return {};
  }
  while (m_status == kStatusConnected && !m_lines.HasLine()) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      ReportError(kReceiveFailed, ETIMEDOUT);
      break;
    }
    const ssize_t n = ::recv(m_fd, t_buffer.data(), kBufferSize, MSG_DONTWAIT);
    if (n > 0) {
      if (!CutLines({t_buffer.data(), static_cast<std::size_t>(n)})) {
        break;
      }
      continue;
    }
    if (n == 0) {
      OnClose();
      break;
    }
    if (!WouldBlock(errno)) {
      ReportError(kReceiveFailed);
      break;
    }
    if (!m_events.WaitForEvents(left)) {
      break;
    }
  }
  return m_lines.TakeLine();
}

void CTcpSocket::SendText(std::string text) {
  if (text.empty()) {
    return;
  }
  const bool idle = m_sendQueue.empty();
  m_sendQueue.push_back(std::move(text));
  if (!idle) {
    return;
  }
  SendQueued();
}

// Sends queued texts until the connection takes no more; write readiness brings the rest.
void CTcpSocket::SendQueued() {
  while (!m_sendQueue.empty()) {
    std::string& head = m_sendQueue.front();
    const ssize_t n = ::send(m_fd, head.data(), head.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0) {
      if (WouldBlock(errno)) {
        break;
      }
      ReportError(kSendFailed);
      return;
    }
    const auto sent = static_cast<std::size_t>(n);
    if (sent < head.size()) {
      head.erase(0, sent);
      break;
    }
    m_sendQueue.pop_front();
  }
  UpdateWatch();
}

}  // namespace zw
