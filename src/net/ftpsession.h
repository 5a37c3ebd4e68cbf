#pragma once

#include <chrono>
#include <cstdint>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "net/ftpdirectory.h"
#include "net/sockettarget.h"

namespace zw {

class IFtpHost;
class IMessageSink;
class ISocketEvents;
class CTcpSocket;

// The FTP worker's message target, never shown: fetches the queued files of one FTP
// directory into local files, logging on with the fixed user, then for each file listening
// for an active-mode data connection and sending PORT, TYPE I and RETR. It owns the control,
// listening and data sockets and the open local file, and reports to the dialog through its
// host. A negative reply, a lost control connection or a data connection that stays silent
// for the timeout ends the run with an error line.
class CFtpSession final : public ISocketTarget {
 public:
  static constexpr std::string_view kUser = "znwright";
  static constexpr std::string_view kPassword = "mqvorb";
  static constexpr std::chrono::milliseconds kDefaultTimeout{60000};
  // Far beyond any data file; a download that grows past it is no data file.
  static constexpr std::int64_t kDefaultMaxFileBytes = std::int64_t{16} << 20;

  static constexpr const char* kConnecting = "Connecting To Host";
  static constexpr const char* kLoggingOn = "Logging On...";
  static constexpr const char* kLogonComplete = "Logon Complete";
  static constexpr const char* kReceivingPrefix = "Receiving ";
  static constexpr const char* kReceivingSuffix = " File";
  static constexpr const char* kBytesPrefix = "Bytes Transferred: ";
  static constexpr const char* kTransferComplete = "Transfer Complete";
  static constexpr const char* kEndedSuccessfully = "Processing Ended Successfully";
  static constexpr const char* kUnableToContact = "Unable to contact FTP host.";
  static constexpr const char* kUnableToOpenFile = "Unable to Open Tempoary File.";
  static constexpr const char* kUnableToWriteFile = "Unable to write the temporary file.";
  static constexpr const char* kNoReply = "No reply from FTP host.";
  static constexpr const char* kNoDataConnection = "Unable to open a data connection.";
  static constexpr const char* kDataTimedOut = "Timed out waiting for data from FTP host.";
  static constexpr const char* kFileTooLarge = "The file from the FTP host is too large.";

  CFtpSession(ISocketEvents& events, IMessageSink& messages, IFtpHost& host);
  ~CFtpSession() override;
  CFtpSession(const CFtpSession&) = delete;
  CFtpSession& operator=(const CFtpSession&) = delete;

  // The dialog's messages: the file lists, then the directory to fetch them from.
  void Clear();
  void AddRemote(std::string name);
  void AddLocal(std::string name);
  void AddLabel(std::string name);
  void Connect(std::string_view directory);

  // How long one whole reply, however many lines it has, or the data connection between two
  // signs of life, may keep the run waiting.
  void SetTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
  // The most one downloaded file may hold; beyond it the run ends with kFileTooLarge.
  void SetMaxFileBytes(std::int64_t bytes) { m_maxFileBytes = bytes; }

  void OnSocketNotify(unsigned message, SocketNotice notice) override;

 private:
  void OnControl(int code);
  void OnListen(SocketNotice notice);
  void OnData(const SocketNotice& notice);
  void Logon();
  void NextFile();
  bool OpenDataListener(std::uint32_t& address, std::uint16_t& port);
  void ReceiveBytes(std::span<const char> bytes);
  void FinishFile();
  void FinishRun();
  bool Command(std::string_view verb, std::string_view argument);
  bool Converse();
  std::string ReadReply();
  void Status(int kind, const std::string& text);
  void Fail(const std::string& text);
  // Ends the run with `failure` unless something happens within the timeout.
  void StartTimer(const char* failure);
  void StopTimer();

  ISocketEvents& m_events;
  IMessageSink& m_messages;
  IFtpHost& m_host;
  // Entry 0 of the three lists is the file in progress.
  std::vector<std::string> m_remote;
  std::vector<std::string> m_local;
  std::vector<std::string> m_labels;
  std::unique_ptr<std::ofstream> m_file;
  std::unique_ptr<CTcpSocket> m_control;
  std::unique_ptr<CTcpSocket> m_listening;
  std::unique_ptr<CTcpSocket> m_data;
  std::int64_t m_bytes = 0;
  std::string m_progress;
  CFtpDirectory m_directory{""};
  std::chrono::milliseconds m_timeout = kDefaultTimeout;
  std::int64_t m_maxFileBytes = kDefaultMaxFileBytes;
  int m_timer = 0;
  // While a reply is awaited the thread's other events still run; what they would end is
  // held back until the reply is in, so no socket goes while it is being read.
  int m_awaitingReply = 0;
  bool m_dataClosed = false;
  std::string m_heldFailure;
};

}  // namespace zw
