// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/timesync.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <latch>
#include <mutex>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "net/daytimereply.h"
#include "net/daytimeserver.h"
#include "net/fakeclocksetter.h"
#include "net/sntppacket.h"
#include "net/sockettestkit.h"
#include "net/timesynclistener.h"
#include "support/fakeclock.h"
#include "timecore/datetime.h"

using namespace zw;
using namespace std::chrono_literals;
using Reports = std::vector<std::string>;

namespace {

// The dialog as the worker sees it: open until the test closes it.
class RecordingListener final : public ITimeSyncListener {
 public:
  bool DialogOpen() const override { return m_open; }
  void Report(const std::string& text) override {
    const std::lock_guard lock(m_mutex);
    if (m_open) {
      m_reports.push_back(text);
    }
  }
  void Close() { m_open = false; }
  Reports Received() const {
    const std::lock_guard lock(m_mutex);
    return m_reports;
  }

 private:
  std::atomic<bool> m_open{true};
  mutable std::mutex m_mutex;
  Reports m_reports;
};

std::int64_t At(int year, int month, int day, int hour, int minute, int second) {
  return CDateTime(year, month, day, hour, minute, second).Seconds();
}

// A reply as a NIST server sends it.
std::string NistReply(const std::string& date, const std::string& time) {
  return "\n50887 " + date + " " + time + " 00 0 0 590.4 UTC(NIST) * \n";
}

using Bytes = std::vector<std::uint8_t>;

// An SNTP server on a free loopback port that answers one request with what `answer` makes
// of it, within a few seconds or not at all.
struct SntpServer {
  explicit SntpServer(std::function<Bytes(const Bytes&)> answer) {
    sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), length);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    thread = std::thread([this, answer = std::move(answer)] {
      pollfd waiting{fd, POLLIN, 0};
      Bytes request(512);
      sockaddr_in client{};
      socklen_t size = sizeof client;
      if (::poll(&waiting, 1, 5000) > 0 &&
          ::recvfrom(fd, request.data(), request.size(), 0, reinterpret_cast<sockaddr*>(&client),
                     &size) >= 48) {
        const Bytes reply = answer(request);
        ::sendto(fd, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&client), size);
      }
    });
  }
  ~SntpServer() {
    thread.join();
    ::close(fd);
  }
  std::string Address() const { return "ntp:127.0.0.1:" + std::to_string(port); }

  int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  std::uint16_t port = 0;
  std::thread thread;
};

// A sound server's reply (version 4, stratum 1) to `request`: its clock `ahead` of the
// request's stamp, answering `held` after receiving.
Bytes Reply(const Bytes& request, std::int64_t ahead, std::int64_t held = 0) {
  Bytes reply{4 << 3 | 4, 1};
  reply.resize(CSntpPacket::kSize);
  std::uint64_t sent = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    sent = sent << 8 | (reply[24 + i] = request[40 + i]);
  }
  const std::int64_t at = CSntpPacket::FromNtp(sent, 0) + ahead;
  for (const auto& [offset, time] : {std::pair{32, at}, std::pair{40, at + held}}) {
    for (int i = 0; i < 8; ++i) {
      reply[offset + i] = static_cast<std::uint8_t>(CSntpPacket::ToNtp(time) >> (56 - 8 * i));
    }
  }
  return reply;
}

HostAddresses::value_type Loopback(std::uint16_t port) {
  sockaddr_storage address{};
  auto& v4 = reinterpret_cast<sockaddr_in&>(address);
  v4 = {AF_INET, htons(port), {htonl(INADDR_LOOPBACK)}, {}};
  return {address, static_cast<socklen_t>(sizeof v4)};
}

// What the test's resolvers hand out, whatever is asked; one of them hangs until released.
HostAddresses g_addresses;
std::latch g_release{1};
HostAddresses FakeResolve(const std::string&, std::uint16_t, int) {
  return g_addresses;
}
HostAddresses HangingResolve(const std::string&, std::uint16_t, int) {
  g_release.wait();
  return {};
}

class TimeSyncTest : public ::testing::Test {
 protected:
  // Runs one synchronisation against a server answering `reply`.
  Reports Sync(const std::string& reply) {
    test::DaytimeServer server(reply);
    CTimeSync sync(m_clock, m_setter, m_listener);
    sync.Run(server.Address());
    return m_listener.Received();
  }

  test::FakeClock m_clock{1998, 3, 15, 14, 5, 0};
  test::FakeClockSetter m_setter;
  RecordingListener m_listener;
};

TEST_F(TimeSyncTest, DateAndTimeOfTheReplySetTheClock) {
  const Reports reports = Sync(NistReply("98-03-15", "14:07:09"));
  EXPECT_EQ(m_setter.Calls(), std::vector<std::int64_t>{At(1998, 3, 15, 14, 7, 9)});
  EXPECT_EQ(reports, (Reports{"Time retrieval was successful\r\n",
                              "Computer time has been adjusted forward:\r\n",
                              "  2 - minutes  9 - seconds  "}));
}

TEST_F(TimeSyncTest, YearsBeforeSeventyAreThisCentury) {
  Sync(NistReply("05-11-30", "14:05:00"));
  EXPECT_EQ(m_setter.Calls(), std::vector<std::int64_t>{At(2005, 11, 30, 14, 5, 0)});
}

TEST_F(TimeSyncTest, TimeWithoutDateChangesOnlyTheTimeOfDay) {
  Sync("Sun Mar 15 16:30:00 UTC\r\n");
  EXPECT_EQ(m_setter.Calls(), std::vector<std::int64_t>{At(1998, 3, 15, 16, 30, 0)});
}

TEST_F(TimeSyncTest, ReplyWithoutATimeOfItsOwnIsAFailure) {
  const char* replies[] = {
      "no time here\r\n",
      "",
      "HTTP/1.1 400 Bad Request\r\nDate: Sun, 15 Mar 1998 09:30:00 GMT\r\n",
      "220 mail.example ESMTP ready 09:30:00\r\n",
      "Date: 09:30:00\r\n",
  };
  for (const char* reply : replies) {
    SCOPED_TRACE(reply);
    RecordingListener listener;
    test::DaytimeServer server(reply);
    CTimeSync sync(m_clock, m_setter, listener);
    sync.Run(server.Address());
    EXPECT_EQ(listener.Received(), (Reports{"The time server's reply held no time."}));
  }
  EXPECT_TRUE(m_setter.Calls().empty());
}

TEST_F(TimeSyncTest, ReplyDatesPast2038AreSetAsThemselves) {
  // Two-digit years 38 to 69 are 2038 to 2069, which the clock holds: none may wrap or be refused.
  std::vector<std::int64_t> expected;
  for (int year = 38; year <= 69; ++year) {
    SCOPED_TRACE(year);
    Sync(NistReply(std::to_string(year) + "-03-15", "14:07:09"));
    expected.push_back(At(2000 + year, 3, 15, 14, 7, 9));
  }
  EXPECT_EQ(m_setter.Calls(), expected);
}

TEST_F(TimeSyncTest, ClockThatIsRightNeedsNoAdjustment) {
  EXPECT_EQ(Sync(NistReply("98-03-15", "14:05:00")), (Reports{"No adjustment was necessary."}));
  EXPECT_TRUE(m_setter.Calls().empty());
}

TEST_F(TimeSyncTest, ClockNinetySecondsFastIsPutBack) {
  m_clock.Set(At(1998, 3, 15, 14, 8, 39));
  const Reports reports = Sync(NistReply("98-03-15", "14:07:09"));
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_EQ(reports[1], "Computer time has been adjusted back:\r\n");
  EXPECT_EQ(reports[2], "  1 - minute  30 - seconds  ");
}

TEST_F(TimeSyncTest, ClockADayAndTwoHoursBehindIsPutForward) {
  m_clock.Set(At(1998, 3, 14, 12, 7, 9));
  const Reports reports = Sync(NistReply("98-03-15", "14:07:09"));
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_EQ(reports[1], "Computer time has been adjusted forward:\r\n");
  EXPECT_EQ(reports[2], "  1 - day  2 - hours  ");
}

TEST_F(TimeSyncTest, ClockTheSystemWillNotSetIsReportedAsAFailureOnly) {
  m_setter.Refuse();
  EXPECT_EQ(Sync(NistReply("98-03-15", "14:07:09")),
            (Reports{"Unable to set the computer's time.\r\n-  Time adjustment failed.",
                     CTimeSync::kNobodyMaySet}));
}

TEST_F(TimeSyncTest, DialogClosedBeforeTheReplyLeavesTheClockAlone) {
  test::DaytimeServer server(NistReply("98-03-15", "14:07:09"), true);
  std::thread worker([&] {
    CTimeSync sync(m_clock, m_setter, m_listener);
    sync.Run(server.Address());
  });
  ASSERT_TRUE(server.WaitForClient());
  m_listener.Close();
  server.Release();
  worker.join();
  EXPECT_TRUE(m_setter.Calls().empty());
}

TEST_F(TimeSyncTest, FailuresBeforeTheReplyArePlainlyReported) {
  // None asks the network: what no host can be is refused as written, and the resolver
  // refuses a name with an empty label by itself.
  const std::string missing =
      CTimeSync::kHostNotFound + std::string("bad..name") + CTimeSync::kHostNotFoundEnd;
  const std::string closed = "localhost:" + std::to_string(test::ClosedPort());
  CTimeSync sync(m_clock, m_setter, m_listener);
  for (const std::string server :
       {"", "ntp:", "time server", "http://host/", "host:0", "ntp:host:65536", "[::1", "[::1]13",
        "bad..name", "ntp:bad..name:123", closed.c_str()}) {
    sync.Run(server);
  }
  Reports expected(8, CTimeSync::kInvalidAddress);
  expected.insert(expected.end(), {missing, missing, CTimeSync::kUnableToConnect});
  EXPECT_EQ(m_listener.Received(), expected);
  const auto v6 = CTimeSync::Parse("ntp:[::1]:1123").value();
  EXPECT_EQ(std::tie(v6.sntp, v6.host, v6.port), std::tuple(true, "::1", 1123));
  EXPECT_EQ(CTimeSync::Parse("daytime:2001:db8::1").value().host, "2001:db8::1");
}

TEST_F(TimeSyncTest, SilentServerEndsTheWaitWithATimeout) {
  test::DaytimeServer server("late", true);
  CTimeSync sync(m_clock, m_setter, m_listener);
  sync.SetTimeout(200ms);
  sync.Run(server.Address());
  EXPECT_EQ(m_listener.Received(), Reports{CTimeSync::kTimedOut});
}

TEST_F(TimeSyncTest, ServersAreFoundByNameAndEachAddressIsTriedInTurn) {
  SntpServer sntp([](const Bytes& request) { return Reply(request, 60'000'000); });
  CTimeSync(m_clock, m_setter, m_listener).Run("ntp:localhost:" + std::to_string(sntp.port));
  test::DaytimeServer daytime(NistReply("98-03-15", "14:07:09"));
  g_addresses = {Loopback(test::ClosedPort()), Loopback(daytime.Port())};
  CTimeSync sync(m_clock, m_setter, m_listener);
  sync.SetResolver(FakeResolve);
  sync.Run("daytime:time.example.org");
  EXPECT_EQ(m_setter.Adjustments(), std::vector<std::int64_t>{60'000'000});
  EXPECT_EQ(m_setter.Calls().size(), 1u);
}

TEST_F(TimeSyncTest, ALookupThatHangsNeverHoldsUpTheSynchronisation) {
  RecordingListener closed;
  closed.Close();
  for (RecordingListener* listener : {&m_listener, &closed}) {
    CTimeSync sync(m_clock, m_setter, *listener);
    sync.SetResolver(HangingResolve);
    sync.SetTimeout(100ms);
    sync.Run("ntp:time.example.org");
  }
  // The closed dialog ended its wait without a word.
  EXPECT_EQ(m_listener.Received(), Reports{CTimeSync::kLookupTimedOut});
  g_release.count_down();
}

TEST(TimeSyncServer, EnvironmentChoosesTheServer) {
  ::setenv(CTimeSync::kServerVariable, "127.0.0.1:1313", 1);
  EXPECT_EQ(CTimeSync::ServerFromEnvironment(), "127.0.0.1:1313");
  ::unsetenv(CTimeSync::kServerVariable);
  EXPECT_EQ(CTimeSync::ServerFromEnvironment(), CTimeSync::kDefaultServer);
}

TEST_F(TimeSyncTest, SntpOffsetsFromAMillisecondToDecadesAreStepped) {
  std::vector<std::int64_t> stepped;
  for (std::int64_t size = 1000; size < 30LL * 366 * 86400 * 1'000'000; size *= 7) {
    for (const std::int64_t ahead : {size, -size}) {
      SntpServer server([ahead](const Bytes& request) { return Reply(request, ahead); });
      RecordingListener listener;
      CTimeSync(m_clock, m_setter, listener).Run(server.Address());
      EXPECT_EQ(listener.Received().at(1), CTimeSync::OffsetText(ahead, 0));
      stepped.insert(stepped.end(), size > CTimeSync::kSmallestStepMicroseconds, ahead);
    }
  }
  // Where network time keeps the clock, the program says so rather than fight it.
  m_setter.KeepByService();
  SntpServer server([](const Bytes& request) { return Reply(request, 60'000'000); });
  CTimeSync(m_clock, m_setter, m_listener).Run(server.Address());
  EXPECT_EQ(m_listener.Received().back(), CTimeSync::kKeptByService);
  EXPECT_EQ(m_setter.Adjustments(), stepped);
  EXPECT_TRUE(m_setter.Calls().empty());
}

TEST(SntpPacket, TheTripLeavesTheOffsetAndOnlyAnAnswerCounts) {
  // 0.1 s on the way out, 0.3 s held, 0.2 s back: the server 5 s ahead.
  const std::int64_t sent = 1'000'000'000'000'000;
  const auto request = CSntpPacket::Request(sent);
  const Bytes reply = Reply({request.begin(), request.end()}, 5'100'000, 300'000);
  const auto measure = CSntpPacket::Parse(reply, sent, sent + 600'000);
  ASSERT_TRUE(measure);
  EXPECT_EQ(measure->offsetMicroseconds, 4'950'000);
  EXPECT_EQ(measure->roundTripMicroseconds, 300'000);
  // No answer: a request echoed, broadcast, unsynchronised, versions 0 and 5, a kiss of
  // death, stratum 16, another request's stamp, cut short, or received before it was sent.
  for (const auto& [at, value] : std::vector<std::pair<std::size_t, std::uint8_t>>{
           {0, 0x23}, {0, 0x25}, {0, 0xE4}, {0, 0x04}, {0, 0x2C}, {1, 0}, {1, 16}, {31, 1}}) {
    Bytes spoilt = reply;
    spoilt[at] = at == 31 ? static_cast<std::uint8_t>(spoilt[at] ^ value) : value;
    EXPECT_FALSE(CSntpPacket::Parse(spoilt, sent, sent + 600'000)) << at << ' ' << int{value};
  }
  EXPECT_FALSE(CSntpPacket::Parse(std::span(reply).first(47), sent, sent + 600'000));
  EXPECT_FALSE(CSntpPacket::Parse(reply, sent, sent - 1));
}

TEST(DaytimeReply, FindsDateAndTimeWhereverTheyStand) {
  const CDaytimeReply reply(NistReply("98-03-15", "14:07:09"));
  ASSERT_TRUE(reply.FoundDate());
  EXPECT_EQ(reply.FoundDate()->year, 1998);
  EXPECT_EQ(reply.FoundDate()->month, 3);
  EXPECT_EQ(reply.FoundDate()->day, 15);
  ASSERT_TRUE(reply.FoundTime());
  EXPECT_EQ(reply.FoundTime()->hour, 14);
  EXPECT_EQ(reply.FoundTime()->minute, 7);
  EXPECT_EQ(reply.FoundTime()->second, 9);
  EXPECT_EQ(CDaytimeReply("69-12-31").FoundDate()->year, 2069);
  EXPECT_EQ(CDaytimeReply("70-01-01").FoundDate()->year, 1970);
}

TEST(DaytimeReply, LooksOnlyAtTheStartOfTheBytesReceived) {
  const std::string buffer = "98-03-15 14:07:09";
  // A reply cut short inside a field has no such field, whatever follows in memory.
  const CDaytimeReply cut(std::string_view(buffer).substr(0, 7));
  EXPECT_FALSE(cut.FoundDate());
  const CDaytimeReply timeCut(std::string_view(buffer).substr(0, 16));
  EXPECT_TRUE(timeCut.FoundDate());
  EXPECT_FALSE(timeCut.FoundTime());
  // Only the start of a reply holds them.
  const CDaytimeReply late(std::string(60, ' ') + buffer);
  EXPECT_FALSE(late.FoundDate());
  EXPECT_FALSE(late.FoundTime());
}

TEST(DaytimeReply, PatternsThatAreNoDateOrTimeAreSkipped) {
  const CDaytimeReply reply("id ab-cd-ef 98-13-01 98-02-30 98-02-28 99:00:00 23:59:59");
  ASSERT_TRUE(reply.FoundDate());
  EXPECT_EQ(reply.FoundDate()->month, 2);
  EXPECT_EQ(reply.FoundDate()->day, 28);
  ASSERT_TRUE(reply.FoundTime());
  EXPECT_EQ(reply.FoundTime()->hour, 23);
}

}  // namespace
