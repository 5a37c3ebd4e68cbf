// SPDX-License-Identifier: GPL-3.0-or-later
// What an FTP server sends on the control connection, arriving in pieces: cut into lines and
// gathered into replies as the session does. Unless a line outgrew the cap, every byte is in
// exactly one line or still waiting for its line end. Every line is also read as a passive
// mode reply, which names the port the data comes from.
#include <algorithm>
#include <cstdlib>
#include <span>
#include <string>

#include "net/replylines.h"
#include "net/tcpsocket.h"

using namespace zw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) {
    return 0;
  }
  // The first byte sets the size of the pieces, as a receive may return any of them; the
  // second a line cap that short inputs can reach.
  const std::size_t piece = data[0] % CTcpSocket::kBufferSize + 1;
  const std::size_t cap = data[1] == 0 ? CTcpSocket::kMaxLineBytes : data[1];
  const std::span<const char> bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
  CLineBuffer buffer(cap);
  std::size_t lineBytes = 0;
  CFtpReplyLines reply;
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    const bool added = buffer.Add(bytes.subspan(at, std::min(piece, bytes.size() - at)));
    while (buffer.HasLine()) {
      const std::string line = buffer.TakeLine();
      if (line.empty() || line.size() > cap || line.back() != '\n' ||
          line.find('\n') != line.size() - 1) {
        std::abort();
      }
      lineBytes += line.size();
      const auto extended = ExtendedPassivePort(line);
      const auto passive = PassivePort(line);
      if ((extended && *extended == 0) || (passive && *passive == 0) || (extended && passive)) {
        std::abort();
      }
      if (reply.Ends(line)) {
        reply = CFtpReplyLines();
      }
    }
    if (!added) {
      return 0;
    }
  }
  const auto lastFeed = std::find(bytes.rbegin(), bytes.rend(), '\n');
  if (lineBytes != static_cast<std::size_t>(bytes.rend() - lastFeed)) {
    std::abort();
  }
  return 0;
}
