// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/ftpsession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "net/ftpdirectory.h"
#include "net/ftpfixture.h"
#include "net/pollsocketevents.h"
#include "net/recordinghost.h"
#include "net/replylines.h"
#include "net/sockettestkit.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"

using namespace zw;
using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

namespace {

std::string Pattern(std::size_t size, char seed) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<char>(seed + i * 7 % 251);
  }
  return bytes;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct File {
  const char* remote;
  const char* local;
  const char* label;
};
constexpr File kTimeZone{"TIME_ZON.DAT", "TEMPT.DAT", "Time Zone"};
constexpr File kCurrency{"CURRENCY.DAT", "TEMPC.DAT", "Currency"};
constexpr File kMeasurement{"MEASURE.DAT", "TEMPM.DAT", "Measurement"};

// One FTP window on test events, fetching into a directory of its own from a pyftpdlib
// server that serves another.
class FtpClientTest : public ::testing::Test {
 protected:
  FtpClientTest() : m_cwd(m_local.Path()) {}

  void Serve(const std::string& path, const std::string& bytes) {
    WriteFile(m_served.File(path), bytes);
  }
  void StartServer(const test::FtpFixture::Options& options = {}) {
    m_server = std::make_unique<test::FtpFixture>(m_served.Path(), options);
    ASSERT_NE(m_server->Port(), 0) << "the FTP fixture did not start";
  }
  void Queue(const File& file) {
    m_window.AddRemote(file.remote);
    m_window.AddLocal(file.local);
    m_window.AddLabel(file.label);
  }
  // Runs to the end; no run may take long.
  void Run(const std::string& directory) {
    m_window.Connect(directory);
    ASSERT_TRUE(m_events.RunUntil([this] { return m_host.Done(); }, 10s)) << "the run hung";
  }
  std::string Directory(const std::string& path) const { return m_server->Directory(path); }

  test::TempDir m_served;
  test::TempDir m_local;
  test::ScopedCwd m_cwd;
  test::PollSocketEvents m_events;
  test::RecordingSink m_sink;
  test::RecordingHost m_host;
  CFtpSession m_window{m_events, m_sink, m_host};
  std::unique_ptr<test::FtpFixture> m_server;
};

TEST_F(FtpClientTest, ThreeFilesComeInTheOrderQueuedWithEveryProgressLine) {
  const std::string zones = Pattern(3000, 'a');
  const std::string rates = Pattern(1500, 'b');
  const std::string units = Pattern(600, 'c');
  Serve("zonewright/TIME_ZON.DAT", zones);
  Serve("zonewright/CURRENCY.DAT", rates);
  Serve("zonewright/MEASURE.DAT", units);
  StartServer();
  Queue(kTimeZone);
  Queue(kCurrency);
  Queue(kMeasurement);
  Run(Directory("zonewright"));

  EXPECT_TRUE(m_host.Succeeded());
  EXPECT_TRUE(m_host.Closed());
  EXPECT_EQ(
      m_host.Lines(),
      (Lines{"Connecting To Host", "Logging On...", "Logon Complete", "Receiving Time Zone File",
             "Bytes Transferred: 3000", "Transfer Complete", "Receiving Currency File",
             "Bytes Transferred: 1500", "Transfer Complete", "Receiving Measurement File",
             "Bytes Transferred: 600", "Transfer Complete", "Processing Ended Successfully"}));
  // Each file starts its bytes line at 0 and counts up to its size.
  std::vector<std::string> counts;
  for (const auto& posted : m_host.AllPosted()) {
    if (posted.message == NetMessage::kStatus && posted.text.starts_with("Bytes")) {
      counts.push_back(posted.text);
    }
  }
  EXPECT_EQ(counts.front(), "Bytes Transferred: 0");
  EXPECT_EQ(m_host.Count(NetMessage::kLoggedOn), 1u);
  EXPECT_EQ(ReadFile("TEMPT.DAT"), zones);
  EXPECT_EQ(ReadFile("TEMPC.DAT"), rates);
  EXPECT_EQ(ReadFile("TEMPM.DAT"), units);
  EXPECT_TRUE(m_sink.Messages().empty());
  EXPECT_EQ(m_events.Sockets(), 0u) << "every socket of the run is gone";
  EXPECT_EQ(m_events.Timers(), 0u);

  const Lines commands = m_server->Commands(12);
  ASSERT_EQ(commands.size(), 12u);
  EXPECT_EQ(commands[0], "USER znwright");
  EXPECT_EQ(commands[1], "PASS mqvorb");
  EXPECT_EQ(commands[2], "CWD zonewright");
  for (std::size_t file = 0; file < 3; ++file) {
    const std::size_t at = 3 + file * 3;
    EXPECT_EQ(commands[at], "TYPE I");
    EXPECT_EQ(commands[at + 1], "EPSV") << "passive unless the server refuses it";
  }
  EXPECT_EQ(commands[5], "RETR TIME_ZON.DAT");
  EXPECT_EQ(commands[8], "RETR CURRENCY.DAT");
  EXPECT_EQ(commands[11], "RETR MEASURE.DAT");
}

TEST_F(FtpClientTest, MultiLineGreetingIsReadWholeBeforeTheLogon) {
  Serve("zonewright/MEASURE.DAT", "units");
  StartServer({.multiLineBanner = true});
  Queue(kMeasurement);
  Queue(kCurrency);  // not served
  Run(Directory("zonewright"));

  // Had the greeting's later lines been taken for replies, every reply after it would be one
  // behind and the missing file would not be the reply that ends the run.
  EXPECT_EQ(ReadFile("TEMPM.DAT"), "units");
  EXPECT_EQ(
      m_host.ErrorText(),
      "Receiving the Currency file failed. The FTP host said: 550 No such file or directory.");
  EXPECT_FALSE(m_host.Succeeded());
}

TEST_F(FtpClientTest, EndlessGreetingCannotOutlastTheReplyTimeout) {
  // A server that keeps sending continuation lines, each well within any line timeout.
  test::PlainListener listener;
  std::atomic<bool> stop{false};
  std::thread server([&listener, &stop] {
    const int fd = listener.Accept();
    const auto until = std::chrono::steady_clock::now() + 5s;
    while (fd >= 0 && !stop && std::chrono::steady_clock::now() < until) {
      test::SendAll(fd, "220-Welcome, and welcome again\r\n");
      std::this_thread::sleep_for(10ms);
    }
    ::close(fd);
  });
  m_window.SetTimeout(300ms);
  Queue(kTimeZone);
  const auto start = std::chrono::steady_clock::now();
  Run("127.0.0.1:" + std::to_string(listener.Port()) + "/zonewright");
  const auto took = std::chrono::steady_clock::now() - start;
  stop = true;
  server.join();

  EXPECT_LT(took, 2s);
  EXPECT_EQ(m_host.ErrorText(), CFtpSession::kNoReply);
  EXPECT_FALSE(m_host.Succeeded());
}

TEST_F(FtpClientTest, DownloadBeyondTheSizeCapEndsTheRun) {
  Serve("zonewright/TIME_ZON.DAT", Pattern(50000, 'z'));
  StartServer();
  m_window.SetMaxFileBytes(20000);
  Queue(kTimeZone);
  Run(Directory("zonewright"));

  EXPECT_EQ(m_host.ErrorText(), CFtpSession::kFileTooLarge);
  EXPECT_FALSE(m_host.Succeeded());
  EXPECT_LE(std::filesystem::file_size("TEMPT.DAT"), 20000u);
}

TEST_F(FtpClientTest, EmptyFileIsFetchedAsAnEmptyFile) {
  Serve("zonewright/CURRENCY.DAT", "");
  StartServer();
  WriteFile(m_local.File("TEMPC.DAT"), "left from before");
  Queue(kCurrency);
  Run(Directory("zonewright"));

  EXPECT_TRUE(m_host.Succeeded());
  EXPECT_EQ(m_host.Lines(), (Lines{"Connecting To Host", "Logging On...", "Logon Complete",
                                   "Receiving Currency File", "Bytes Transferred: 0",
                                   "Transfer Complete", "Processing Ended Successfully"}));
  EXPECT_TRUE(std::filesystem::exists("TEMPC.DAT"));
  EXPECT_EQ(std::filesystem::file_size("TEMPC.DAT"), 0u);
}

TEST_F(FtpClientTest, MissingRemoteFileEndsTheRunWithTheServersReply) {
  Serve("zonewright/TIME_ZON.DAT", "zones");
  StartServer();
  Queue(kCurrency);
  Queue(kTimeZone);
  Run(Directory("zonewright"));

  EXPECT_FALSE(m_host.Succeeded());
  const Lines lines = m_host.Lines();
  EXPECT_EQ(
      lines.back(),
      "Receiving the Currency file failed. The FTP host said: 550 No such file or directory.");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Transfer Complete"), 0);
  EXPECT_EQ(m_events.Sockets(), 0u);
  // The failed run asks for nothing more.
  const Lines commands = m_server->Commands(6);
  EXPECT_EQ(commands.size(), 6u);
  EXPECT_EQ(commands.back(), "RETR CURRENCY.DAT");
}

TEST_F(FtpClientTest, WrongPasswordEndsTheRunBeforeAnyFile) {
  Serve("zonewright/TIME_ZON.DAT", "zones");
  StartServer({.password = "another"});
  Queue(kTimeZone);
  Run(Directory("zonewright"));

  EXPECT_FALSE(m_host.Succeeded());
  EXPECT_EQ(m_host.ErrorText(), "Logging on failed. The FTP host said: 530 Authentication failed.");
  EXPECT_EQ(m_host.Count(NetMessage::kLoggedOn), 0u);
  EXPECT_EQ(m_server->Commands(2), (Lines{"USER znwright", "PASS mqvorb"}));
  EXPECT_FALSE(std::filesystem::exists("TEMPT.DAT"));
}

TEST_F(FtpClientTest, SchemeAndTwoLevelPathReachTheNestedDirectory) {
  Serve("zonewright/2026/MEASURE.DAT", "nested units");
  StartServer();
  Queue(kMeasurement);
  Run("ftp://" + Directory("zonewright/2026"));

  EXPECT_TRUE(m_host.Succeeded());
  EXPECT_EQ(m_server->Commands(3)[2], "CWD zonewright/2026");
  EXPECT_EQ(ReadFile("TEMPM.DAT"), "nested units");
}

TEST_F(FtpClientTest, DirectoryWithoutSlashIsTheHostAndAnEmptyPath) {
  Serve("MEASURE.DAT", "top units");
  StartServer();
  Queue(kMeasurement);
  Run("127.0.0.1:" + std::to_string(m_server->Port()));

  EXPECT_TRUE(m_host.Succeeded());
  EXPECT_EQ(m_server->Commands(3)[2], "CWD ");
  EXPECT_EQ(ReadFile("TEMPM.DAT"), "top units");
}

TEST_F(FtpClientTest, DataConnectionThatNeverComesEndsTheRun) {
  Serve("zonewright/TIME_ZON.DAT", "zones");
  StartServer({.stallRetr = true});
  m_window.SetTimeout(300ms);
  Queue(kTimeZone);
  const auto start = std::chrono::steady_clock::now();
  Run(Directory("zonewright"));

  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  EXPECT_EQ(m_host.ErrorText(), CFtpSession::kDataTimedOut);
  EXPECT_FALSE(m_host.Succeeded());
  EXPECT_EQ(m_events.Sockets(), 0u);
}

TEST_F(FtpClientTest, CancellingMidTransferLetsGoOfEverySocket) {
  Serve("zonewright/TIME_ZON.DAT", Pattern(40000, 'z'));
  StartServer({.throttle = 4000});
  const int before = test::OpenSockets();
  auto window = std::make_unique<CFtpSession>(m_events, m_sink, m_host);
  window->AddRemote(kTimeZone.remote);
  window->AddLocal(kTimeZone.local);
  window->AddLabel(kTimeZone.label);
  window->Connect(Directory("zonewright"));
  ASSERT_TRUE(m_events.RunUntil(
      [this] {
        const Lines lines = m_host.Lines();
        return !lines.empty() && lines.back().starts_with("Bytes") &&
               lines.back() != "Bytes Transferred: 0";
      },
      10s));
  EXPECT_EQ(test::OpenSockets(), before + 2) << "control and data";

  window.reset();
  EXPECT_EQ(m_events.Sockets(), 0u);
  EXPECT_EQ(m_events.Timers(), 0u);
  EXPECT_EQ(test::OpenSockets(), before);
  EXPECT_FALSE(m_host.Done());
  EXPECT_LT(std::filesystem::file_size("TEMPT.DAT"), 40000u) << "left as far as it got";
}

TEST_F(FtpClientTest, HostThatRefusesEndsTheRun) {
  Queue(kTimeZone);
  Run("127.0.0.1:" + std::to_string(test::ClosedPort()) + "/zonewright");

  EXPECT_EQ(m_host.ErrorText(), CFtpSession::kConnectionRefused);
  EXPECT_TRUE(m_sink.Messages().empty()) << "the progress list tells it, not a box";
}

TEST_F(FtpClientTest, ConnectThatIsNeverAnsweredEndsTheRun) {
  // A listener whose queue is full leaves further connects unanswered.
  test::PlainListener busy(0);
  const int filler = test::PlainConnect(busy.Port());
  ASSERT_GE(filler, 0);
  m_window.SetTimeout(300ms);
  Queue(kTimeZone);
  Run("127.0.0.1:" + std::to_string(busy.Port()) + "/zonewright");

  EXPECT_EQ(m_host.Lines(), (Lines{"Connecting To Host", CFtpSession::kUnableToContact}));
  EXPECT_EQ(m_events.Sockets(), 0u);
  ::close(filler);
}

TEST_F(FtpClientTest, DirectoryWithoutHostEndsTheRunAtOnce) {
  Queue(kTimeZone);
  Run("/zonewright");

  EXPECT_EQ(m_host.Lines(), (Lines{"Connecting To Host", CFtpSession::kUnableToContact}));
  EXPECT_TRUE(m_sink.Messages().empty());
}

TEST_F(FtpClientTest, TemporaryFileThatCannotBeMadeEndsTheRun) {
  Serve("zonewright/TIME_ZON.DAT", "zones");
  StartServer();
  m_window.AddRemote(kTimeZone.remote);
  m_window.AddLocal("no/such/directory/TEMPT.DAT");
  m_window.AddLabel(kTimeZone.label);
  Run(Directory("zonewright"));

  EXPECT_EQ(m_host.ErrorText(), "Unable to Open Tempoary File.");
  EXPECT_FALSE(m_host.Succeeded());
  EXPECT_EQ(m_server->Commands(5).back(), "TYPE I") << "no RETR without a file";
}

// However a run fails, the progress list ends with one line saying what failed in plain
// words, the server's own where it gave some, and no box covers the list.
TEST_F(FtpClientTest, EveryKindOfFailureIsOnePlainLineInTheList) {
  Serve("zonewright/TIME_ZON.DAT", Pattern(40000, 'z'));
  struct Case {
    const char* kind;
    std::optional<test::FtpFixture::Options> server;  // none: nothing listens
    const char* remote;
    std::string line;
  };
  const Case cases[] = {
      {"refused", std::nullopt, "TIME_ZON.DAT", CFtpSession::kConnectionRefused},
      {"timeout", test::FtpFixture::Options{.stallType = true}, "TIME_ZON.DAT",
       CFtpSession::kNoReply},
      {"hang-up", test::FtpFixture::Options{.throttle = 4000, .hangUpInRetr = true}, "TIME_ZON.DAT",
       CFtpSession::kHostClosed},
      {"error reply", test::FtpFixture::Options{}, "MISSING.DAT",
       "Receiving the Time Zone file failed. The FTP host said: 550 No such file or directory."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    std::string directory = "127.0.0.1:" + std::to_string(test::ClosedPort()) + "/zonewright";
    std::unique_ptr<test::FtpFixture> server;
    if (c.server) {
      server = std::make_unique<test::FtpFixture>(m_served.Path(), *c.server);
      ASSERT_NE(server->Port(), 0);
      directory = server->Directory("zonewright");
    }
    test::RecordingHost host;
    CFtpSession session(m_events, m_sink, host);
    session.SetTimeout(500ms);
    session.AddRemote(c.remote);
    session.AddLocal(kTimeZone.local);
    session.AddLabel(kTimeZone.label);
    session.Connect(directory);
    ASSERT_TRUE(m_events.RunUntil([&host] { return host.Done(); }, 10s));

    EXPECT_FALSE(host.Succeeded());
    EXPECT_EQ(host.Lines().back(), c.line);
    EXPECT_EQ(host.ErrorText(), c.line) << "one error line only";
    EXPECT_TRUE(m_sink.Messages().empty());
    EXPECT_EQ(m_events.Sockets(), 0u);
  }
}

// Passive and active data connections, on each address family the machine has, fetch the
// same bytes; active mode is used only once the server refuses both passive commands.
TEST_F(FtpClientTest, PassiveAndActiveModesFetchOnEveryLoopbackFamily) {
  const std::string zones = Pattern(5000, 'p');
  Serve("zonewright/TIME_ZON.DAT", zones);
  for (const char* host : {"127.0.0.1", "::1"}) {
    for (const bool refusePassive : {false, true}) {
      SCOPED_TRACE(std::string(host) + (refusePassive ? " active" : " passive"));
      std::filesystem::remove("TEMPT.DAT");
      test::FtpFixture server(m_served.Path(), {.refusePassive = refusePassive, .host = host});
      if (server.Port() == 0 && std::string_view(host) == "::1") {
        std::cout << "no IPv6 loopback here; only IPv4 is tried\n";
        break;
      }
      ASSERT_NE(server.Port(), 0);
      test::RecordingHost recording;
      CFtpSession session(m_events, m_sink, recording);
      for (int i = 0; i < 2; ++i) {
        session.AddRemote(kTimeZone.remote);
        session.AddLocal(kTimeZone.local);
        session.AddLabel(kTimeZone.label);
      }
      session.Connect(server.Directory("zonewright"));
      ASSERT_TRUE(m_events.RunUntil([&recording] { return recording.Done(); }, 10s));

      EXPECT_TRUE(recording.Succeeded()) << recording.ErrorText();
      EXPECT_EQ(ReadFile("TEMPT.DAT"), zones);
      const Lines commands = server.Commands(refusePassive ? 11 : 9);
      const auto sent = [&commands](std::string_view verb) {
        return std::count_if(commands.begin(), commands.end(),
                             [verb](const std::string& line) { return line.starts_with(verb); });
      };
      const bool v6 = std::string_view(host) == "::1";
      EXPECT_EQ(sent("EPSV"), refusePassive ? 1 : 2) << "a refusal holds for the whole run";
      EXPECT_EQ(sent("PASV"), refusePassive ? 1 : 0);
      EXPECT_EQ(sent(v6 ? "EPRT |2|::1|" : "PORT 127,0,0,1,"), refusePassive ? 2 : 0);
      EXPECT_EQ(sent("RETR"), 2);
    }
  }
}

// The passive replies servers send, and damaged ones that must name no port.
TEST(FtpPassiveReply, ReadsThePortOfEveryFormAndNoneOfAForgedOne) {
  EXPECT_EQ(ExtendedPassivePort("229 Entering Extended Passive Mode (|||50123|)"), 50123);
  EXPECT_EQ(ExtendedPassivePort("229 ok (!!!65535!)."), 65535);
  EXPECT_EQ(PassivePort("227 Entering Passive Mode (127,0,0,1,195,80)."), 195 * 256 + 80);
  EXPECT_EQ(PassivePort("227 Entering Passive Mode 10,0,0,7,4,1"), 4 * 256 + 1);
  for (const char* forged :
       {"229 (|||65536|)", "229 (|||0|)", "229 (||1|2|)", "229 (|||12)", "229 (|||123456|)",
        "229 (|||", "229 (| | |1|)", "227 (1,2,3,4,5)", "227 (1,2,3,4,256,1)", "227 (1,2,3,4,0,0)",
        "227 (1,2,3,4,1,1000)", "200 (|||50123|)", "227"}) {
    EXPECT_FALSE(ExtendedPassivePort(forged).has_value()) << forged;
    EXPECT_FALSE(PassivePort(forged).has_value()) << forged;
  }
}

TEST(FtpDirectory, SplitsHostPortAndPath) {
  const CFtpDirectory plain("updates.example.org/zonewright/data");
  EXPECT_EQ(plain.Host(), "updates.example.org");
  EXPECT_EQ(plain.Port(), 21);
  EXPECT_EQ(plain.Path(), "zonewright/data");

  const CFtpDirectory scheme("ftp://127.0.0.1:2121/a/b");
  EXPECT_EQ(scheme.Host(), "127.0.0.1");
  EXPECT_EQ(scheme.Port(), 2121);
  EXPECT_EQ(scheme.Path(), "a/b");

  const CFtpDirectory bare("127.0.0.1");
  EXPECT_EQ(bare.Host(), "127.0.0.1");
  EXPECT_EQ(bare.Path(), "");

  // What is not a port stays in the host, whose look-up then fails.
  EXPECT_EQ(CFtpDirectory("host:99999/x").Host(), "host:99999");
  EXPECT_EQ(CFtpDirectory("host:/x").Port(), 21);

  // An IPv6 host: in brackets before a port, else every colon is the address's.
  EXPECT_EQ(CFtpDirectory("[::1]:2121/a").Host(), "::1");
  EXPECT_EQ(CFtpDirectory("[::1]:2121/a").Port(), 2121);
  EXPECT_EQ(CFtpDirectory("fe80::1:21/a").Host(), "fe80::1:21");
  EXPECT_EQ(CFtpDirectory("fe80::1:21/a").Port(), 21);
}

}  // namespace
