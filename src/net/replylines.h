#pragma once

#include <cstddef>
#include <deque>
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

}  // namespace zw
