#include "net/ftpsession.h"

#include <cstdio>

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
  return reply[0] == '4' || reply[0] == '5';
}

std::string PortArgument(std::uint32_t address, std::uint16_t port) {
  char text[32];
  std::snprintf(text, sizeof text, "%u,%u,%u,%u,%u,%u", (address >> 24) & 255U,
                (address >> 16) & 255U, (address >> 8) & 255U, address & 255U, (port >> 8) & 255U,
                port & 255U);
  return text;
}

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

void CFtpSession::Connect(std::string_view directory) {
  Status(kStatusAdd, kConnecting);
  m_directory = CFtpDirectory(directory);
  m_control = std::make_unique<CTcpSocket>(m_events, m_messages, true);
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
  // The connect failed later, or the host hung up before the logon; the socket layer has
  // told the user why.
  Fail(kUnableToContact);
}

void CFtpSession::Logon() {
  m_control->AttachWindow(nullptr, 0);
  if (!Converse()) {
    return;
  }
  Status(kStatusAdd, kLoggingOn);
  if (!Command("USER ", kUser) || !Command("PASS ", kPassword) ||
      !Command("CWD ", m_directory.Path())) {
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
  m_bytes = 0;
  m_progress = kBytesPrefix;
  m_progress += '0';
  Status(kStatusAdd, m_progress);
  m_dataClosed = false;
  std::uint32_t address = 0;
  std::uint16_t port = 0;
  if (!OpenDataListener(address, port)) {
    Fail(kNoDataConnection);
    return;
  }
  if (!Command("PORT ", PortArgument(address, port)) || !Command("TYPE ", "I")) {
    return;
  }
  m_file = std::make_unique<std::ofstream>(m_local.front(),
                                           std::ios::binary | std::ios::out | std::ios::trunc);
  if (!m_file->is_open()) {
    m_file.reset();
    Fail(kUnableToOpenFile);
    return;
  }
  StartTimer(kDataTimedOut);
  if (!Command("RETR ", m_remote.front())) {
    return;
  }
  if (m_dataClosed) {
    FinishFile();
  }
}

// The data connection comes to the address the control connection uses, at the port of a
// fresh listening socket.
bool CFtpSession::OpenDataListener(std::uint32_t& address, std::uint16_t& port) {
  m_listening = std::make_unique<CTcpSocket>(m_events, m_messages, true);
  if (!m_listening->AttachWindow(this, static_cast<unsigned>(NetMessage::kListen)) ||
      !m_listening->Listen(kListenBacklog)) {
    return false;
  }
  std::uint32_t listeningAddress = 0;
  std::uint16_t controlPort = 0;
  return m_listening->LocalAddress(listeningAddress, port) &&
         m_control->LocalAddress(address, controlPort);
}

void CFtpSession::OnListen(SocketNotice notice) {
  if (notice.code != CTcpSocket::kNotifyAccepted) {
    return;
  }
  m_data = std::move(notice.accepted);
  m_data->AttachWindow(this, static_cast<unsigned>(NetMessage::kData));
  StartTimer(kDataTimedOut);
}

void CFtpSession::OnData(const SocketNotice& notice) {
  if (notice.code > 0) {
    ReceiveBytes(notice.bytes);
    return;
  }
  if (notice.code != CTcpSocket::kNotifyStateChanged) {
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
  m_remote.erase(m_remote.begin());
  m_local.erase(m_local.begin());
  m_labels.erase(m_labels.begin());
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

void CFtpSession::FinishRun() {
  m_control.reset();
  Status(kStatusAdd, kEndedSuccessfully);
  m_host.PostToDialog(NetMessage::kDone, 1, {});
  m_host.CloseWindow();
}

bool CFtpSession::Command(std::string_view verb, std::string_view argument) {
  std::string line(verb);
  line += argument;
  line += kLineEnd;
  m_control->SendText(std::move(line));
  return Converse();
}

// Reads one reply; false when the run has ended, because of it or of something that
// happened meanwhile.
bool CFtpSession::Converse() {
  std::string reply;
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
    Fail(kNoReply);
    return false;
  }
  if (IsNegative(reply)) {
    Fail(WithoutLineEnd(std::move(reply)));
    return false;
  }
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
