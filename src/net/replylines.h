// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zw {

// Cuts a received byte stream into lines, each with its LF; bytes after the last LF wait
// for the rest of their line.
class CLineBuffer {
 public:
  explicit CLineBuffer(std::size_t maxLineBytes) : m_maxLineBytes(maxLineBytes) {}

  // False when a line grows beyond the most a line may hold: that line is dropped, the lines
  // complete before it stay.
  bool Add(std::span<const char> bytes);
  bool HasLine() const { return !m_lines.empty(); }
  // The oldest complete line; empty when there is none.
  std::string TakeLine();
  void Clear();

 private:
  std::size_t m_maxLineBytes;
  std::deque<std::string> m_lines;
  std::string m_partial;
};

// Follows one FTP reply line by line. A first line "ddd-" opens a multi-line reply, which the
// first later line starting with the same three characters and no '-' after them closes; any
// other first line is the whole reply.
class CFtpReplyLines {
 public:
  // True when `line` is the reply's last line.
  bool Ends(std::string_view line);

 private:
  std::string m_code;
  bool m_open = false;
};

// The data port a server names in its passive mode reply: "229 ... (|||port|)" after EPSV,
// "227 ... (h1,h2,h3,h4,p1,p2)" after PASV. nullopt for any other form or port 0. The address
// of a 227 reply is not taken: data is fetched only from the host the control connection
// reached, so a reply cannot send the client to another machine.
std::optional<std::uint16_t> ExtendedPassivePort(std::string_view reply);
std::optional<std::uint16_t> PassivePort(std::string_view reply);

}  // namespace zw
