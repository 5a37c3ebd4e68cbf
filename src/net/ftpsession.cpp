// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/ftpsession.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "net/ftphost.h"
#include "net/netmessage.h"
#include "net/replylines.h"
#include "net/socketevents.h"
#include "net/tcpsocket.h"

namespace zw {

namespace {

constexpr int kListenBacklog = 5;
constexpr std::string_view kLineEnd = "\r\n";

std::string WithoutLineEnd(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
    line.pop_back();
  }
  return line;
}

bool IsNegative(const std::string& reply) {
  return !reply.empty() && (reply[0] == '4' || reply[0] == '5');
}

std::string PortArgument(std::uint32_t address, std::uint16_t port) {
  char text[32];
  std::snprintf(text, sizeof text, "%u,%u,%u,%u,%u,%u", (address >> 24) & 255U,
                (address >> 16) & 255U, (address >> 8) & 255U, address & 255U, (port >> 8) & 255U,
                port & 255U);
  return text;
}

// EPRT names the family: 1 for IPv4, 2 for IPv6.
std::string ExtendedPortArgument(const CTcpSocket::Endpoint& local, std::uint16_t port) {
  return std::string(local.family == AF_INET6 ? "|2|" : "|1|") + local.host + "|" +
         std::to_string(port) + "|";
}

std::string Reason(int code) {
  return std::generic_category().message(code) + ".";
}

constexpr const char* kStepConnect = "Connecting";
constexpr const char* kStepLogon = "Logging on";
constexpr const char* kStepDirectory = "Opening the directory";

// Counts the callers waiting for a reply for as long as they wait.
class AwaitingReply {
 public:
  explicit AwaitingReply(int& count) : m_count(count) { ++m_count; }
  ~AwaitingReply() { --m_count; }
  AwaitingReply(const AwaitingReply&) = delete;
  AwaitingReply& operator=(const AwaitingReply&) = delete;

 private:
  int& m_count;
};

}  // namespace

CFtpSession::CFtpSession(ISocketEvents& events, IMessageSink& messages, IFtpHost& host)
    : m_events(events), m_messages(messages), m_host(host) {}

CFtpSession::~CFtpSession() {
  StopTimer();
}

void CFtpSession::Clear() {
  m_remote.clear();
  m_local.clear();
  m_labels.clear();
  m_optional.clear();
}

void CFtpSession::AddRemote(std::string name) {
  m_remote.push_back(std::move(name));
}

void CFtpSession::AddLocal(std::string name) {
  m_local.push_back(std::move(name));
}

void CFtpSession::AddLabel(std::string name) {
  m_labels.push_back(std::move(name));
}

void CFtpSession::AddOptional(std::string remote) {
  m_optional.push_back(std::move(remote));
}

bool CFtpSession::IsOptional(const std::string& remote) const {
  return std::find(m_optional.begin(), m_optional.end(), remote) != m_optional.end();
}

void CFtpSession::Connect(std::string_view directory) {
  Status(kStatusAdd, kConnecting);
  m_directory = CFtpDirectory(directory);
  m_passive = true;
  m_step = kStepConnect;
  m_control = std::make_unique<CTcpSocket>(m_events, m_messages, true);
  m_control->SetShowFailures(false);
  m_control->SetReadTimeout(m_timeout);
  m_control->AttachWindow(this, static_cast<unsigned>(NetMessage::kControl));
  StartTimer(kUnableToContact);
  // A connection made at once has run the whole logon by the time Connect returns.
  if (!m_control->Connect(m_directory.Host(), m_directory.Port())) {
    Fail(kUnableToContact);
  }
}

void CFtpSession::OnSocketNotify(unsigned message, SocketNotice notice) {
  switch (static_cast<NetMessage>(message)) {
    case NetMessage::kControl:
      OnControl(notice.code);
      return;
    case NetMessage::kListen:
      OnListen(std::move(notice));
      return;
    case NetMessage::kData:
      OnData(notice);
      return;
    default:
      return;
  }
}

void CFtpSession::OnControl(int code) {
  if (code != CTcpSocket::kNotifyStateChanged) {
    return;
  }
  StopTimer();
  if (m_control->GetStatus() == CTcpSocket::kStatusConnected) {
    Logon();
    return;
  }
  Fail(ContactFailure());
}

std::string CFtpSession::ContactFailure() const {
  const int error =
      m_control->GetStatus() == CTcpSocket::kStatusFailed ? m_control->LastError() : 0;
  if (error == ECONNREFUSED) {
    return kConnectionRefused;
  }
  if (error == 0) {
    return kUnableToContact;
  }
  // "Unable to contact FTP host" and the system's reason.
  const std::string_view contact(kUnableToContact);
  return std::string(contact.substr(0, contact.size() - 1)) + ": " + Reason(error);
}

// Why a reply did not come: the wait ran out, the host hung up, or the connection broke.
std::string CFtpSession::ControlFailure() const {
  if (!m_control || m_control->GetStatus() == CTcpSocket::kStatusOpen) {
    return kHostClosed;
  }
  if (m_control->GetStatus() != CTcpSocket::kStatusFailed) {
    return kNoReply;  // the thread is shutting down
  }
  const int error = m_control->LastError();
  if (error == ETIMEDOUT) {
    return kNoReply;
  }
  if (error == 0) {
    return kLineTooLong;
  }
  return kConnectionFailed + Reason(error);
}

void CFtpSession::Logon() {
  m_control->AttachWindow(nullptr, 0);
  if (!Converse()) {
    return;
  }
  Status(kStatusAdd, kLoggingOn);
  m_step = kStepLogon;
  if (!Command("USER ", kUser) || !Command("PASS ", kPassword)) {
    return;
  }
  m_step = kStepDirectory;
  if (!Command("CWD ", m_directory.Path())) {
    return;
  }
  Status(kStatusAdd, kLogonComplete);
  m_host.PostToDialog(NetMessage::kLoggedOn, 0, {});
  m_events.Post([this] { NextFile(); });
}

void CFtpSession::NextFile() {
  if (m_remote.empty() || m_local.size() < m_remote.size() || m_labels.size() < m_remote.size()) {
    FinishRun();
    return;
  }
  m_progress = kReceivingPrefix;
  m_progress += m_labels.front();
  m_progress += kReceivingSuffix;
  Status(kStatusAdd, m_progress);
  m_step = "Receiving the " + m_labels.front() + " file";
  m_bytes = 0;
  m_progress = kBytesPrefix;
  m_progress += '0';
  Status(kStatusAdd, m_progress);
  m_dataClosed = false;
  m_dataOpen = false;
  if (!Command("TYPE ", "I")) {
    return;
  }
  m_file = std::make_unique<std::ofstream>(m_local.front(),
                                           std::ios::binary | std::ios::out | std::ios::trunc);
  if (!m_file->is_open()) {
    m_file.reset();
    Fail(kUnableToOpenFile);
    return;
  }
  if (!OpenDataConnection()) {
    return;
  }
  StartTimer(kDataTimedOut);
  std::string reply;
  if (!Ask("RETR ", m_remote.front(), reply)) {
    return;
  }
  if (IsNegative(reply)) {
    // 550 is "no such file"; any other refusal is a failure even for an optional file.
    if (reply.starts_with("550") && IsOptional(m_remote.front())) {
      SkipFile();
      return;
    }
    Fail(m_step + kHostSaid + reply);
    return;
  }
  if (m_dataClosed) {
    FinishFile();
  }
}

bool CFtpSession::OpenDataConnection() {
  std::uint16_t port = 0;
  if (m_passive) {
    switch (RequestPassivePort(port)) {
      case Passive::kEnded:
        return false;
      case Passive::kPort:
        return ConnectToPassivePort(port);
      case Passive::kRefused:
        m_passive = false;
        break;
    }
  }
  return OpenActiveConnection();
}

// EPSV first, as it names no address and so works on IPv6; PASV for older servers. A reply
// that cannot be read counts as a refusal.
CFtpSession::Passive CFtpSession::RequestPassivePort(std::uint16_t& port) {
  std::string reply;
  if (!Ask("EPSV", "", reply)) {
    return Passive::kEnded;
  }
  if (const auto extended = ExtendedPassivePort(reply)) {
    port = *extended;
    return Passive::kPort;
  }
  if (!Ask("PASV", "", reply)) {
    return Passive::kEnded;
  }
  if (const auto passive = PassivePort(reply)) {
    port = *passive;
    return Passive::kPort;
  }
  return Passive::kRefused;
}

// The data comes from the host the control connection reached, whatever address a reply names.
bool CFtpSession::ConnectToPassivePort(std::uint16_t port) {
  const auto peer = m_control->PeerEndpoint();
  m_data = std::make_unique<CTcpSocket>(m_events, m_messages, true);
  m_data->SetShowFailures(false);
  if (!peer || !m_data->AttachWindow(this, static_cast<unsigned>(NetMessage::kData)) ||
      !m_data->Connect(peer->host, port)) {
    Fail(kNoDataConnection);
    return false;
  }
  return true;
}

// The data connection comes to the address the control connection uses, at the port of a
// fresh listening socket of the same family.
bool CFtpSession::OpenActiveConnection() {
  const auto local = m_control->LocalEndpoint();
  m_listening = std::make_unique<CTcpSocket>(m_events, m_messages, true);
  m_listening->SetShowFailures(false);
  std::optional<CTcpSocket::Endpoint> listening;
  if (local && m_listening->Reopen(local->family) &&
      m_listening->AttachWindow(this, static_cast<unsigned>(NetMessage::kListen)) &&
      m_listening->Listen(kListenBacklog)) {
    listening = m_listening->LocalEndpoint();
  }
  if (!listening) {
    Fail(kNoDataConnection);
    return false;
  }
  if (local->family == AF_INET6) {
    return Command("EPRT ", ExtendedPortArgument(*local, listening->port));
  }
  std::uint32_t address = 0;
  std::uint16_t controlPort = 0;
  if (!m_control->LocalAddress(address, controlPort)) {
    Fail(kNoDataConnection);
    return false;
  }
  return Command("PORT ", PortArgument(address, listening->port));
}

void CFtpSession::OnListen(SocketNotice notice) {
  if (notice.code != CTcpSocket::kNotifyAccepted) {
    return;
  }
  m_data = std::move(notice.accepted);
  m_data->SetShowFailures(false);
  m_dataOpen = true;
  m_data->AttachWindow(this, static_cast<unsigned>(NetMessage::kData));
  StartTimer(kDataTimedOut);
}

void CFtpSession::OnData(const SocketNotice& notice) {
  if (notice.code > 0) {
    ReceiveBytes(notice.bytes);
    return;
  }
  if (notice.code != CTcpSocket::kNotifyStateChanged || !m_data) {
    return;
  }
  if (m_data->GetStatus() == CTcpSocket::kStatusConnected) {
    m_dataOpen = true;  // the passive connection is made
    return;
  }
  if (m_data->GetStatus() == CTcpSocket::kStatusFailed) {
    Fail(m_dataOpen ? m_step + " failed: " + Reason(m_data->LastError()) : kNoDataConnection);
    return;
  }
  // The server closed the data connection: the file is complete.
  m_dataClosed = true;
  if (m_awaitingReply > 0) {
    return;  // NextFile finishes it once the RETR reply is in
  }
  FinishFile();
}

void CFtpSession::ReceiveBytes(std::span<const char> bytes) {
  if (!m_file) {
    return;
  }
  if (m_bytes + static_cast<std::int64_t>(bytes.size()) > m_maxFileBytes) {
    Fail(kFileTooLarge);
    return;
  }
  m_file->write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!*m_file) {
    Fail(kUnableToWriteFile);
    return;
  }
  m_bytes += static_cast<std::int64_t>(bytes.size());
  m_progress = kBytesPrefix;
  m_progress += std::to_string(m_bytes);
  Status(kStatusReplaceLast, m_progress);
  StartTimer(kDataTimedOut);
}

void CFtpSession::FinishFile() {
  StopTimer();
  m_data.reset();
  m_listening.reset();
  bool written = true;
  if (m_file) {
    m_file->close();
    written = !m_file->fail();
    m_file.reset();
  }
  DropFront();
  if (!written) {
    Fail(kUnableToWriteFile);
    return;
  }
  if (!Converse()) {
    return;
  }
  Status(kStatusAdd, kTransferComplete);
  if (m_remote.empty()) {
    FinishRun();
    return;
  }
  m_events.Post([this] { NextFile(); });
}

// An optional file the server does not have leaves no local file, so an old download of it
// cannot pass for this run's.
void CFtpSession::SkipFile() {
  StopTimer();
  m_data.reset();
  m_listening.reset();
  m_file.reset();
  std::remove(m_local.front().c_str());
  DropFront();
  Status(kStatusReplaceLast, kNotOnHost);
  if (m_remote.empty()) {
    FinishRun();
    return;
  }
  m_events.Post([this] { NextFile(); });
}

void CFtpSession::DropFront() {
  m_remote.erase(m_remote.begin());
  m_local.erase(m_local.begin());
  m_labels.erase(m_labels.begin());
}

void CFtpSession::FinishRun() {
  m_control.reset();
  Status(kStatusAdd, kEndedSuccessfully);
  m_host.PostToDialog(NetMessage::kDone, 1, {});
  m_host.CloseWindow();
}

bool CFtpSession::Command(std::string_view verb, std::string_view argument) {
  Send(verb, argument);
  return Converse();
}

bool CFtpSession::Ask(std::string_view verb, std::string_view argument, std::string& reply) {
  Send(verb, argument);
  return Await(reply);
}

void CFtpSession::Send(std::string_view verb, std::string_view argument) {
  std::string line(verb);
  line += argument;
  line += kLineEnd;
  m_control->SendText(std::move(line));
}

// Reads one reply; false when the run has ended, because of it or of something that
// happened meanwhile.
bool CFtpSession::Converse() {
  std::string reply;
  if (!Await(reply)) {
    return false;
  }
  if (IsNegative(reply)) {
    Fail(m_step + kHostSaid + reply);
    return false;
  }
  return true;
}

// Reads one reply, without its line end, negative or not; false when no reply came or the
// run ended meanwhile.
bool CFtpSession::Await(std::string& reply) {
  {
    AwaitingReply awaiting(m_awaitingReply);
    reply = ReadReply();
  }
  if (!m_heldFailure.empty()) {
    const std::string failure = std::move(m_heldFailure);
    m_heldFailure.clear();
    Fail(failure);
    return false;
  }
  if (reply.empty()) {
    Fail(ControlFailure());
    return false;
  }
  reply = WithoutLineEnd(std::move(reply));
  return true;
}

// The line that ends the reply: a reply whose first line has "-" after its code goes on to
// the line with the same code and no "-". Empty when the connection ended first.
// The whole reply shares one deadline, so a server sending continuation lines for ever
// cannot keep the run alive.
std::string CFtpSession::ReadReply() {
  const auto deadline = std::chrono::steady_clock::now() + m_timeout;
  CFtpReplyLines reply;
  for (;;) {
    std::string line = m_control->ReadLine(deadline);
    if (line.empty() || reply.Ends(line)) {
      return line;
    }
  }
}

void CFtpSession::Status(int kind, const std::string& text) {
  m_host.PostToDialog(NetMessage::kStatus, kind, text);
}

// Ends the run: the error line, the failed end, and every socket and the file let go.
void CFtpSession::Fail(const std::string& text) {
  if (m_awaitingReply > 0) {
    if (m_heldFailure.empty()) {
      m_heldFailure = text;
    }
    return;
  }
  StopTimer();
  m_data.reset();
  m_listening.reset();
  m_control.reset();
  m_file.reset();
  Status(kStatusError, text);
  m_host.PostToDialog(NetMessage::kDone, 0, {});
}

void CFtpSession::StartTimer(const char* failure) {
  StopTimer();
  m_timer = m_events.StartTimer(m_timeout, [this, failure] {
    m_timer = 0;
    Fail(failure);
  });
}

void CFtpSession::StopTimer() {
  if (m_timer == 0) {
    return;
  }
  m_events.StopTimer(m_timer);
  m_timer = 0;
}

}  // namespace zw
