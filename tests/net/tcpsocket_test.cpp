// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/tcpsocket.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "net/pollsocketevents.h"
#include "net/sockettestkit.h"
#include "support/recordingsink.h"

using namespace zw;
using namespace std::chrono_literals;
using test::PlainListener;
using test::RecordingTarget;

namespace {

constexpr unsigned kMessage = 1029;

// A CTcpSocket connected to a plain socket the test holds.
class SocketTest : public ::testing::Test {
 protected:
  ~SocketTest() override {
    if (m_peer >= 0) {
      ::close(m_peer);
    }
  }

  // Connects in notifying mode, then leaves the socket in the mode the test asks for.
  void ConnectClient(bool synchronous) {
    m_socket = std::make_unique<CTcpSocket>(m_events, m_sink, true);
    ASSERT_TRUE(m_socket->AttachWindow(&m_target, kMessage));
    ASSERT_TRUE(m_socket->Connect("127.0.0.1", m_listener.Port()));
    m_peer = m_listener.Accept();
    ASSERT_GE(m_peer, 0);
    ASSERT_TRUE(m_events.RunUntil(
        [this] { return m_socket->GetStatus() == CTcpSocket::kStatusConnected; }, 2s));
    if (synchronous) {
      ASSERT_TRUE(m_socket->AttachWindow(nullptr, 0));
    }
  }

  // Sends `text` from the peer once the socket is waiting.
  void SendLater(std::string text) {
    m_events.StartTimer(30ms, [this, text] { test::SendAll(m_peer, text); });
  }

  test::PollSocketEvents m_events;
  test::RecordingSink m_sink;
  RecordingTarget m_target;
  PlainListener m_listener;
  std::unique_ptr<CTcpSocket> m_socket;
  int m_peer = -1;
};

TEST_F(SocketTest, ReplySplitOverTwoReceivesIsOneLine) {
  ConnectClient(true);
  test::SendAll(m_peer, "220 Zonewright upd");
  SendLater("ate server ready\r\n");
  EXPECT_EQ(m_socket->ReadLine(), "220 Zonewright update server ready\r\n");
  EXPECT_TRUE(m_sink.Messages().empty());
}

TEST_F(SocketTest, PartialLineWaitsForItsLineFeed) {
  ConnectClient(true);
  test::SendAll(m_peer, "a\nb");
  EXPECT_EQ(m_socket->ReadLine(), "a\n");
  SendLater("c\n");
  EXPECT_EQ(m_socket->ReadLine(), "bc\n");
}

TEST_F(SocketTest, ReadLineInNotifyingModeLeavesTheBytesToTheTarget) {
  ConnectClient(false);
  test::SendAll(m_peer, "hello\r\n");
  EXPECT_EQ(m_socket->ReadLine(), "");
  ASSERT_TRUE(m_events.RunUntil([this] { return m_target.Received() == "hello\r\n"; }, 2s));
  const RecordingTarget::Notice& data = m_target.Notices().back();
  EXPECT_EQ(data.message, kMessage);
  EXPECT_EQ(data.code, 7);
}

TEST_F(SocketTest, ReadLineAfterThePeerClosedIsEmptyAndLeavesTheSocketOpen) {
  ConnectClient(true);
  ::close(m_peer);
  m_peer = -1;
  EXPECT_EQ(m_socket->ReadLine(), "");
  EXPECT_EQ(m_socket->GetStatus(), CTcpSocket::kStatusOpen);
  EXPECT_TRUE(m_sink.Messages().empty());
}

TEST_F(SocketTest, SilentPeerEndsTheWaitWithAFailure) {
  ConnectClient(true);
  m_socket->SetReadTimeout(200ms);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(m_socket->ReadLine(), "");
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
  EXPECT_EQ(m_socket->GetStatus(), CTcpSocket::kStatusFailed);
  EXPECT_EQ(m_sink.LastText(), "Receive failed. RC = " + std::to_string(ETIMEDOUT));
}

TEST_F(SocketTest, ALineWithoutEndFailsTheSocketOnceItPassesTheCap) {
  ConnectClient(true);
  const std::string endless(CTcpSocket::kMaxLineBytes * 4, 'x');
  test::SendAll(m_peer, endless);
  EXPECT_EQ(m_socket->ReadLine(), "");
  EXPECT_EQ(m_socket->GetStatus(), CTcpSocket::kStatusFailed);
  EXPECT_EQ(m_sink.LastText(), CTcpSocket::kLineTooLong);
}

TEST_F(SocketTest, ThreadShuttingDownEndsTheWaitQuietly) {
  ConnectClient(true);
  m_events.Stop();
  EXPECT_EQ(m_socket->ReadLine(), "");
  EXPECT_EQ(m_socket->GetStatus(), CTcpSocket::kStatusConnected);
  EXPECT_TRUE(m_sink.Messages().empty());
}

TEST_F(SocketTest, PeerClosingANotifyingSocketIsAStateChange) {
  ConnectClient(false);
  ::close(m_peer);
  m_peer = -1;
  ASSERT_TRUE(
      m_events.RunUntil([this] { return m_socket->GetStatus() == CTcpSocket::kStatusOpen; }, 2s));
  EXPECT_EQ(m_target.Notices().back().code, CTcpSocket::kNotifyStateChanged);
  // A closed socket is not reported again and again.
  const std::size_t notices = m_target.Notices().size();
  m_events.RunUntil([] { return false; }, 100ms);
  EXPECT_EQ(m_target.Notices().size(), notices);
}

TEST_F(SocketTest, TextsQueueBehindOneTheConnectionCannotTakeYet) {
  ConnectClient(false);
  const std::string big(8 << 20, 'x');
  m_socket->SendText(big);
  ASSERT_EQ(m_socket->QueuedSends(), 1u) << "the peer reads nothing, so the text cannot all go";
  m_socket->SendText("END");
  EXPECT_EQ(m_socket->QueuedSends(), 2u);

  std::string received;
  char buffer[65536];
  ASSERT_TRUE(m_events.RunUntil(
      [&] {
        ssize_t n = 0;
        while ((n = ::recv(m_peer, buffer, sizeof buffer, MSG_DONTWAIT)) > 0) {
          received.append(buffer, static_cast<std::size_t>(n));
        }
        return received.size() == big.size() + 3;
      },
      5s));
  EXPECT_EQ(received.substr(received.size() - 4), "xEND");
  EXPECT_EQ(m_socket->QueuedSends(), 0u);
}

TEST(SocketConnect, RefusedConnectIsReportedAndNotified) {
  test::PollSocketEvents events;
  test::RecordingSink sink;
  RecordingTarget target;
  CTcpSocket socket(events, sink, true);
  ASSERT_TRUE(socket.AttachWindow(&target, kMessage));
  ASSERT_TRUE(socket.Connect("127.0.0.1", test::ClosedPort()));
  ASSERT_TRUE(events.RunUntil([&] { return !target.Notices().empty(); }, 2s));

  EXPECT_EQ(target.Notices()[0].code, CTcpSocket::kNotifyStateChanged);
  EXPECT_EQ(socket.GetStatus(), CTcpSocket::kStatusFailed);
  ASSERT_EQ(sink.Messages().size(), 1u);
  EXPECT_EQ(sink.LastText(),
            "Error received in trying to connect to host. Connection refused - try later. RC = " +
                std::to_string(ECONNREFUSED));
}

TEST(SocketConnect, UnknownHostFailsWithoutAMessage) {
  test::PollSocketEvents events;
  test::RecordingSink sink;
  CTcpSocket socket(events, sink, true);
  EXPECT_FALSE(socket.Connect("", 21));
  EXPECT_TRUE(sink.Messages().empty());
}

TEST(SocketListen, AcceptedConnectionGoesToTheTargetConnected) {
  test::PollSocketEvents events;
  test::RecordingSink sink;
  RecordingTarget target;
  CTcpSocket listening(events, sink, true);
  ASSERT_TRUE(listening.AttachWindow(&target, 1031));
  ASSERT_TRUE(listening.Listen(5));
  EXPECT_EQ(listening.GetStatus(), CTcpSocket::kStatusListening);
  std::uint32_t address = 0;
  std::uint16_t port = 0;
  ASSERT_TRUE(listening.LocalAddress(address, port));

  const int peer = test::PlainConnect(port);
  ASSERT_GE(peer, 0);
  ASSERT_TRUE(events.RunUntil([&] { return !target.Accepted().empty(); }, 2s));
  EXPECT_EQ(target.Notices()[0].code, CTcpSocket::kNotifyAccepted);
  CTcpSocket& accepted = *target.Accepted()[0];
  EXPECT_EQ(accepted.GetStatus(), CTcpSocket::kStatusConnected);

  RecordingTarget dataTarget;
  ASSERT_TRUE(accepted.AttachWindow(&dataTarget, 1030));
  test::SendAll(peer, "file bytes");
  ASSERT_TRUE(events.RunUntil([&] { return dataTarget.Received() == "file bytes"; }, 2s));
  EXPECT_EQ(listening.GetStatus(), CTcpSocket::kStatusListening);
  ::close(peer);
}

TEST(SocketListen, AcceptWithoutATargetIsReportedAndNotKept) {
  test::PollSocketEvents events;
  test::RecordingSink sink;
  CTcpSocket listening(events, sink, true);
  ASSERT_TRUE(listening.Listen(5));
  std::uint32_t address = 0;
  std::uint16_t port = 0;
  ASSERT_TRUE(listening.LocalAddress(address, port));
  const int before = test::OpenSockets();
  const int peer = test::PlainConnect(port);
  ASSERT_TRUE(events.RunUntil([&] { return !sink.Messages().empty(); }, 2s));
  EXPECT_EQ(sink.LastText(), CTcpSocket::kAcceptWithoutTarget);
  EXPECT_EQ(test::OpenSockets(), before + 1) << "only the test's own end is left";
  EXPECT_EQ(listening.GetStatus(), CTcpSocket::kStatusListening);
  ::close(peer);
}

}  // namespace
