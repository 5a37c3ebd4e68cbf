// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace zw {

// A time zone file from the update server, checked whole before the program trusts it: a
// download counts as received, and is later taken in, only when every line is a well-formed
// standard line ending in CR LF, the lines are in the file's order, and the file is neither
// oversized nor much shorter than the file it would replace. The lenient reader would take
// a cut, empty or foreign file for a short database.
class CZoneFileCheck {
 public:
  // Some forty times the size of today's file.
  static constexpr std::size_t kMaxBytes = std::size_t{8} << 20;
  // A replacement with fewer lines than this share of the current file's is refused.
  static constexpr std::size_t kMinSharePercent = 50;

  enum class Verdict { kGood, kEmpty, kTooLarge, kUnfinished, kBadLine, kOutOfOrder, kTooShort };
  struct Result {
    Verdict verdict = Verdict::kGood;
    std::size_t line = 0;   // the offending line, from 1
    std::size_t lines = 0;  // the file's whole lines
    bool Ok() const { return verdict == Verdict::kGood; }
  };

  // `truncated`: the file held more than `bytes`. `currentLines`: the lines of the file in
  // use, 0 when there is none.
  static Result Check(std::span<const std::uint8_t> bytes, bool truncated,
                      std::size_t currentLines);
  static std::size_t CountLines(std::span<const std::uint8_t> bytes);
  // What the user is told of a refused file, which the caller deletes.
  static std::string Message(const Result& result, std::size_t currentLines);
};

}  // namespace zw
