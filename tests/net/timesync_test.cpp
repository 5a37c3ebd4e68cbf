#include "net/timesync.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "net/daytimereply.h"
#include "net/daytimeserver.h"
#include "net/fakeclocksetter.h"
#include "net/sntppacket.h"
#include "net/sntpserver.h"
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

TEST_F(TimeSyncTest, ReplyDatesTheClockCannotHoldAreRefused) {
  // Two-digit years 38 to 69 are 2038 to 2069, beyond the clock's last second.
  for (int year = 38; year <= 69; ++year) {
    SCOPED_TRACE(year);
    RecordingListener listener;
    test::DaytimeServer server(NistReply(std::to_string(year) + "-03-15", "14:07:09"));
    CTimeSync sync(m_clock, m_setter, listener);
    sync.Run(server.Address());
    EXPECT_EQ(listener.Received(), (Reports{CTimeSync::kDateOutOfRange}));
  }
  EXPECT_TRUE(m_setter.Calls().empty());
  Sync(NistReply("37-12-31", "23:59:59"));
  EXPECT_EQ(m_setter.Calls(), std::vector<std::int64_t>{At(2037, 12, 31, 23, 59, 59)});
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

TEST_F(TimeSyncTest, FailuresBeforeTheReplyAreReported) {
  CTimeSync sync(m_clock, m_setter, m_listener);
  sync.Run("time.example.org");
  sync.Run("127.0.0.1:" + std::to_string(test::ClosedPort()));
  EXPECT_EQ(m_listener.Received(),
            (Reports{"Invalid Internet address.\r\n-  Time retrieval failed.",
                     "Unable to create socket.\r\n-  Time retrieval failed."}));
}

TEST_F(TimeSyncTest, SilentServerEndsTheWaitWithAFailure) {
  test::DaytimeServer server("late", true);
  CTimeSync sync(m_clock, m_setter, m_listener);
  sync.SetTimeout(200ms);
  sync.Run(server.Address());
  EXPECT_EQ(m_listener.Received(),
            (Reports{"Error receiving time information.\r\n-  Time retrieval failed."}));
}

TEST(TimeSyncServer, EnvironmentChoosesTheServer) {
  ::setenv(CTimeSync::kServerVariable, "127.0.0.1:1313", 1);
  EXPECT_EQ(CTimeSync::ServerFromEnvironment(), "127.0.0.1:1313");
  ::unsetenv(CTimeSync::kServerVariable);
  EXPECT_EQ(CTimeSync::ServerFromEnvironment(), CTimeSync::kDefaultServer);
}

TEST_F(TimeSyncTest, SntpOffsetsFromAMillisecondToDecadesAreStepped) {
  std::vector<std::int64_t> expected;
  for (std::int64_t size = 1000; size < 30LL * 366 * 86400 * 1'000'000; size *= 7) {
    for (const std::int64_t ahead : {size, -size}) {
      SCOPED_TRACE(ahead);
      const bool worthAStep = size > CTimeSync::kSmallestStepMicroseconds;
      test::SntpServer server(
          [ahead](auto request) { return test::SntpServer::Reply(request, ahead); });
      RecordingListener listener;
      CTimeSync(m_clock, m_setter, listener).Run(server.Address());
      const Reports reports = listener.Received();
      ASSERT_EQ(reports.size(), worthAStep ? 4u : 3u);
      EXPECT_EQ(reports[1], CTimeSync::OffsetText(ahead, 0));
      if (worthAStep) {
        expected.push_back(ahead);
        EXPECT_EQ(reports[2], std::string(CTimeSync::kAdjusted) +
                                  (ahead > 0 ? CTimeSync::kForward : CTimeSync::kBack));
      } else {
        EXPECT_EQ(reports[2], CTimeSync::kNoAdjustment);
      }
    }
  }
  EXPECT_EQ(m_setter.Adjustments(), expected);
  EXPECT_TRUE(m_setter.Calls().empty());
}

TEST_F(TimeSyncTest, SntpClockTheProgramMayNotSetIsExplained) {
  const auto minuteAhead = [](auto request) {
    return test::SntpServer::Reply(request, 60'000'000);
  };
  m_setter.KeepByService();
  {
    test::SntpServer server(minuteAhead);
    CTimeSync(m_clock, m_setter, m_listener).Run(server.Address());
  }
  EXPECT_TRUE(m_setter.Adjustments().empty());
  EXPECT_EQ(m_listener.Received().back(), CTimeSync::kKeptByService);
  test::FakeClockSetter refusing;
  refusing.Refuse();
  RecordingListener listener;
  test::SntpServer server(minuteAhead);
  CTimeSync(m_clock, refusing, listener).Run(server.Address());
  EXPECT_EQ(listener.Received(),
            (Reports{CTimeSync::kSuccessful, CTimeSync::OffsetText(60'000'000, 0),
                     CTimeSync::kSetFailed, CTimeSync::kNobodyMaySet}));
}

TEST_F(TimeSyncTest, SntpRepliesThatAreNoAnswerLeaveTheClock) {
  // Each spoils one thing a sound reply to this very request has.
  const std::vector<std::function<void(std::vector<std::uint8_t>&)>> spoilers = {
      [](auto& r) { r.resize(47); },
      [](auto& r) { r.clear(); },
      [](auto& r) { r[0] = (r[0] & ~7) | 3; },  // a client's request, echoed
      [](auto& r) { r[0] = (r[0] & ~7) | 5; },  // broadcast
      [](auto& r) { r[0] |= 0xC0; },            // unsynchronised
      [](auto& r) { r[0] = (r[0] & 0xC7); },    // version 0
      [](auto& r) { r[0] = (r[0] & 0xC7) | 5 << 3; },
      [](auto& r) { r[1] = 0; },  // kiss of death
      [](auto& r) { r[1] = 16; },
      [](auto& r) { std::fill(r.begin() + 40, r.end(), 0); },
      [](auto& r) { r[31] ^= 1; },  // another request's stamp
  };
  for (std::size_t i = 0; i < spoilers.size(); ++i) {
    SCOPED_TRACE(i);
    test::SntpServer server([&spoil = spoilers[i]](auto request) {
      auto reply = test::SntpServer::Reply(request, 60'000'000);
      spoil(reply);
      return reply;
    });
    RecordingListener listener;
    CTimeSync(m_clock, m_setter, listener).Run(server.Address());
    EXPECT_EQ(listener.Received(), (Reports{CTimeSync::kNoTime}));
  }
  EXPECT_TRUE(m_setter.Adjustments().empty());
}

TEST_F(TimeSyncTest, SchemeChoosesTheProtocolAndABareHostIsDaytime) {
  test::DaytimeServer daytime(NistReply("98-03-15", "14:07:09"));
  CTimeSync(m_clock, m_setter, m_listener).Run("daytime:" + daytime.Address());
  EXPECT_EQ(m_setter.Calls().size(), 1u);
  EXPECT_EQ(CTimeSync::HostOf("ntp:10.0.0.1:123"), "10.0.0.1:123");
  EXPECT_EQ(CTimeSync::HostOf("10.0.0.1"), "10.0.0.1");
  // A Daytime server does not answer datagrams: the wait ends, nothing is set.
  CTimeSync silent(m_clock, m_setter, m_listener);
  silent.SetTimeout(200ms);
  silent.Run("ntp:127.0.0.1:" + std::to_string(test::ClosedPort()));
  EXPECT_EQ(m_listener.Received().back(), CTimeSync::kReceiveError);
}

TEST(SntpPacket, StampsReadBackInTheNearestEraAcrossTheRollover) {
  // Every 97 days from 1970 to 2100, with an odd microsecond, seen from a year away.
  for (std::int64_t day = 0; day < 130 * 365; day += 97) {
    const std::int64_t at = day * 86'400'000'000 + 123'457;
    EXPECT_EQ(CSntpPacket::FromNtp(CSntpPacket::ToNtp(at), at + 365 * 86'400'000'000), at) << day;
  }
}

TEST(SntpPacket, RoundTripIsTakenOutOfTheOffset) {
  // Sent at 0 s, 0.1 s on the way out, 0.3 s held, 0.2 s back: the server 5 s ahead.
  const std::int64_t sent = 1'000'000'000'000'000;
  const auto request = CSntpPacket::Request(sent);
  const auto reply = test::SntpServer::Reply(request, 5'100'000, 300'000);
  const auto measure = CSntpPacket::Parse(reply, sent, sent + 600'000);
  ASSERT_TRUE(measure);
  EXPECT_EQ(measure->offsetMicroseconds, 4'950'000);
  EXPECT_EQ(measure->roundTripMicroseconds, 300'000);
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
