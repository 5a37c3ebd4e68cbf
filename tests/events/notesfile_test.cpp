// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/notesfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <random>

#include "support/fakeclock.h"
#include "support/faultyfilelayer.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"

using namespace zw;

namespace {

const std::string kFile(CNotesFile::kFileName);
constexpr std::int32_t kThreeDays = 3 * 86400;

// A record encoded by hand, independently of the class under test.
std::string Record(std::int32_t date, const std::string& text) {
  const auto value = static_cast<std::uint32_t>(date);
  std::string out = "\x01";
  for (int shift = 0; shift < 32; shift += 8) {
    out += static_cast<char>((value >> shift) & 0xFF);
  }
  return out + text + '\0';
}

// Keeps files in memory, so thousands of loads cost nothing.
class MemoryFiles final : public IFileLayer {
 public:
  std::map<std::string, std::vector<std::uint8_t>> files;

  ReadResult Read(const std::string& path, std::size_t maxBytes) override {
    ReadResult result;
    const auto it = files.find(path);
    if (it == files.end()) {
      result.stage = FileStage::kOpen;
      result.cause = FileCause::kFileNotFound;
      return result;
    }
    const std::size_t take = std::min(maxBytes, it->second.size());
    result.bytes.assign(it->second.begin(), it->second.begin() + static_cast<std::ptrdiff_t>(take));
    result.truncated = take < it->second.size();
    return result;
  }
  FileError Write(const std::string& path, std::span<const std::uint8_t> bytes) override {
    files[path].assign(bytes.begin(), bytes.end());
    return {};
  }
  FileError Append(const std::string& path, std::span<const std::uint8_t> bytes) override {
    files[path].insert(files[path].end(), bytes.begin(), bytes.end());
    return {};
  }
  FileCause Rename(const std::string& from, const std::string& to) override {
    auto node = files.extract(from);
    if (node.empty()) {
      return FileCause::kFileNotFound;
    }
    files[to] = std::move(node.mapped());
    return FileCause::kNone;
  }
  FileCause Remove(const std::string& path) override {
    return files.erase(path) == 1 ? FileCause::kNone : FileCause::kFileNotFound;
  }
  bool Exists(const std::string& path) override { return files.contains(path); }
  FileCause MakeDirectories(const std::string&) override { return FileCause::kNone; }
};

class NotesFileTest : public ::testing::Test {
 protected:
  std::string FileBytes() const {
    std::ifstream in(kFile, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void WriteFile(const std::string& bytes) const {
    std::ofstream(kFile, std::ios::binary | std::ios::trunc) << bytes;
  }
  std::vector<std::string> DirectoryEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.Path())) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }
  static CDateTime At(std::int32_t seconds) { return CDateTime::FromSeconds(seconds); }
  void ExpectReadFailureKeepsFile(FileStage stage);

  int m_reads = 0;
  test::TempDir m_dir;
  test::ScopedCwd m_cwd{m_dir.Path()};
  test::FakeClock m_clock{2026, 3, 10, 12, 0, 0};
  const std::int32_t m_now = static_cast<std::int32_t>(CDateTime(2026, 3, 10, 12, 0, 0).Seconds());
  test::FaultyFileLayer m_files;
  test::RecordingSink m_sink;
};

}  // namespace

TEST_F(NotesFileTest, MissingFileGivesEmptyListAndSaveCreatesIt) {
  {
    CNotesFile notes(m_files, m_sink);
    EXPECT_EQ(notes.GetNote(At(m_now)), "");
    notes.Save();
  }
  EXPECT_TRUE(std::filesystem::exists(kFile));
  EXPECT_EQ(FileBytes(), "");

  CNotesFile notes(m_files, m_sink);
  notes.SetNote(At(m_now), "dentist");
  notes.Save();
  EXPECT_EQ(FileBytes(), Record(m_now, "dentist"));
  EXPECT_TRUE(m_sink.Messages().empty());
  EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{kFile});
}

TEST_F(NotesFileTest, RecordLayoutIsMarkerLittleEndianDateTextAndNul) {
  const std::int32_t date = 0x6A010203;  // in May 2026, after "now"
  {
    CNotesFile notes(m_files, m_sink);
    notes.SetNote(At(date), "hi");
    notes.Save();
  }
  EXPECT_EQ(FileBytes(), std::string("\x01\x03\x02\x01\x6A"
                                     "hi\0",
                                     8));

  CNotesFile notes(m_files, m_sink);
  EXPECT_EQ(notes.GetNote(At(date)), "hi");
  EXPECT_EQ(notes.GetNote(At(date + 1)), "");
  EXPECT_EQ(notes.GetNote(At(date - 1)), "");
}

TEST_F(NotesFileTest, SaveKeepsNotesFromExactlyThreeDaysAgo) {
  WriteFile(Record(m_now - kThreeDays - 1, "a second too old") +
            Record(m_now - kThreeDays, "exactly three days") + Record(m_now, "today"));
  {
    CNotesFile notes(m_files, m_sink);
    notes.SetNote(At(m_now - 400 * 86400), "set long ago");
    notes.SetNote(At(m_now + 86400), "tomorrow");
    notes.Save();
  }
  EXPECT_EQ(FileBytes(), Record(m_now - kThreeDays, "exactly three days") + Record(m_now, "today") +
                             Record(m_now + 86400, "tomorrow"));
}

TEST_F(NotesFileTest, OneNotePerDateInDateOrder) {
  {
    CNotesFile notes(m_files, m_sink);
    notes.SetNote(At(m_now + 300), "third");
    notes.SetNote(At(m_now + 100), "first");
    notes.SetNote(At(m_now + 200), "second draft");
    notes.SetNote(At(m_now + 200), "second");
    EXPECT_EQ(notes.GetNote(At(m_now + 200)), "second");
    notes.Save();
  }
  EXPECT_EQ(FileBytes(), Record(m_now + 100, "first") + Record(m_now + 200, "second") +
                             Record(m_now + 300, "third"));
}

TEST_F(NotesFileTest, EmptyTextIsSavedAsSixByteRecord) {
  CNotesFile notes(m_files, m_sink);
  notes.SetNote(At(m_now), "");
  notes.Save();
  EXPECT_EQ(FileBytes().size(), 6u);
  EXPECT_EQ(FileBytes(), Record(m_now, ""));
}

TEST_F(NotesFileTest, LoadingLeavesTheFileAsItWas) {
  const std::string before = Record(m_now, "keep me") + Record(m_now + 60, "and me");
  WriteFile(before);
  {
    CNotesFile notes(m_files, m_sink);
    notes.SetNote(At(m_now), "changed, then the program dies");
  }
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(m_files.Writes(), 0);
}

TEST_F(NotesFileTest, ReadingToleratesDamagedAndForeignBytes) {
  // What lies past the cut looks like a record, but it is still text: reading goes on after
  // the NUL.
  const std::string longText =
      std::string(CNotesFile::kMaxTextLength, 'x') + "\x01\x03\x02\x01\x6A" + std::string(500, 'y');
  struct Case {
    const char* what;
    std::string bytes;
    std::map<std::int32_t, std::string> expected;
  };
  const Case cases[] = {
      {"stray bytes around and between records",
       std::string("\x07\0\xFF", 3) + Record(m_now, "one") + "\x02" + std::string(1, '\0') +
           Record(m_now + 1, "two") + "\x09",
       {{m_now, "one"}, {m_now + 1, "two"}}},
      {"date cut short at the end", Record(m_now, "one") + "\x01\x02\x03", {{m_now, "one"}}},
      {"a lone marker at the end", Record(m_now, "one") + "\x01", {{m_now, "one"}}},
      {"text without NUL runs to the end",
       Record(m_now, "one") + Record(m_now + 1, "tail").substr(0, 9),
       {{m_now, "one"}, {m_now + 1, "tail"}}},
      {"overlong text is cut and the next record still read",
       Record(m_now, longText) + Record(m_now + 1, "next"),
       {{m_now, longText.substr(0, CNotesFile::kMaxTextLength)}, {m_now + 1, "next"}}},
      {"a later record of the same date wins",
       Record(m_now + 5, "late") + Record(m_now, "old") + Record(m_now, "new"),
       {{m_now, "new"}, {m_now + 5, "late"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile(c.bytes);
    {
      CNotesFile notes(m_files, m_sink);
      for (const auto& [date, text] : c.expected) {
        EXPECT_EQ(notes.GetNote(At(date)), text);
      }
      notes.Save();
    }
    std::string sorted;
    for (const auto& [date, text] : c.expected) {
      sorted += Record(date, text);
    }
    EXPECT_EQ(FileBytes(), sorted);
    EXPECT_TRUE(m_sink.Messages().empty());
  }
}

TEST_F(NotesFileTest, SetTextIsCutToWhatARecordCanHold) {
  {
    CNotesFile notes(m_files, m_sink);
    notes.SetNote(At(m_now), std::string(3000, 'y'));
    EXPECT_EQ(notes.GetNote(At(m_now)), std::string(CNotesFile::kMaxTextLength, 'y'));
    // Without the cut at the NUL the rest would come back as a record of its own.
    notes.SetNote(At(m_now + 1), std::string("abc\0", 4) + Record(m_now + 2, "forged"));
    EXPECT_EQ(notes.GetNote(At(m_now + 1)), "abc");
    notes.Save();
  }
  CNotesFile notes(m_files, m_sink);
  EXPECT_EQ(notes.GetNote(At(m_now)), std::string(CNotesFile::kMaxTextLength, 'y'));
  EXPECT_EQ(notes.GetNote(At(m_now + 1)), "abc");
  EXPECT_EQ(notes.GetNote(At(m_now + 2)), "");
}

TEST_F(NotesFileTest, SavingEndsTheObjectsUse) {
  CNotesFile notes(m_files, m_sink);
  notes.SetNote(At(m_now), "saved once");
  notes.Save();
  EXPECT_EQ(notes.GetNote(At(m_now)), "");

  notes.SetNote(At(m_now), "too late");
  notes.Save();
  EXPECT_EQ(m_files.Writes(), 1);
  EXPECT_EQ(FileBytes(), Record(m_now, "saved once"));
  EXPECT_FALSE(notes.Failed());
}

TEST_F(NotesFileTest, ReadFailureLeavesObjectFailedAndFileAlone) {
  for (const FileStage stage : {FileStage::kRead, FileStage::kOpen}) {
    SCOPED_TRACE(stage == FileStage::kRead ? "read fails" : "open fails, file exists");
    m_sink.Clear();
    ExpectReadFailureKeepsFile(stage);
  }
}

void NotesFileTest::ExpectReadFailureKeepsFile(FileStage stage) {
  const std::string before = Record(m_now, "precious");
  WriteFile(before);
  const int writesBefore = m_files.Writes();
  m_files.FailRead(m_reads + 1, FileCause::kAccessDenied, stage);
  ++m_reads;

  CNotesFile notes(m_files, m_sink);
  ASSERT_EQ(m_sink.Messages().size(), 1u);
  EXPECT_EQ(m_sink.Messages()[0].kind, test::RecordingSink::Kind::kWarn);
  EXPECT_EQ(m_sink.Messages()[0].text, "Could not read notes file \"QLNOTES.DAT\".");
  EXPECT_TRUE(notes.Failed());

  EXPECT_EQ(notes.GetNote(At(m_now)), "");
  notes.SetNote(At(m_now + 1), "ignored");
  EXPECT_EQ(notes.GetNote(At(m_now + 1)), "");
  notes.Save();
  EXPECT_EQ(m_files.Writes(), writesBefore);
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(m_sink.Messages().size(), 1u);
}

TEST_F(NotesFileTest, FailedSaveLeavesOldFileLoadable) {
  struct Case {
    const char* what;
    std::function<void(test::FaultyFileLayer&)> fault;
    const char* message;
  };
  const Case cases[] = {
      {"open", [](auto& f) { f.FailWrite(1, FileCause::kAccessDenied, FileStage::kOpen); },
       "Could not open notes file \"QLNOTES.DAT\"."},
      {"write", [](auto& f) { f.FailWrite(1, FileCause::kDiskFull); },
       "Could not write to notes file \"QLNOTES.DAT\"."},
      {"close", [](auto& f) { f.FailWrite(1, FileCause::kHardwareIo, FileStage::kClose); },
       "Could not write to notes file \"QLNOTES.DAT\"."},
      {"rename", [](auto& f) { f.FailRename(1, FileCause::kAccessDenied); },
       "Could not write to notes file \"QLNOTES.DAT\"."},
  };
  const std::string before = Record(m_now, "old text") + Record(m_now + 60, "other");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile(before);
    test::FaultyFileLayer files;
    test::RecordingSink sink;
    c.fault(files);

    CNotesFile notes(files, sink);
    notes.SetNote(At(m_now), "new text");
    notes.Save();
    ASSERT_EQ(sink.Messages().size(), 1u);
    EXPECT_EQ(sink.Messages()[0].kind, test::RecordingSink::Kind::kWarn);
    EXPECT_EQ(sink.Messages()[0].text, c.message);
    EXPECT_TRUE(notes.Failed());
    EXPECT_EQ(FileBytes(), before);
    EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{kFile});

    const int writes = files.Writes();
    notes.SetNote(At(m_now), "after the failure");
    EXPECT_EQ(notes.GetNote(At(m_now)), "");
    notes.Save();
    EXPECT_EQ(files.Writes(), writes);
    EXPECT_EQ(sink.Messages().size(), 1u);

    CNotesFile reloaded(files, sink);
    EXPECT_EQ(reloaded.GetNote(At(m_now)), "old text");
    EXPECT_EQ(reloaded.GetNote(At(m_now + 60)), "other");
  }
}

TEST(NotesFileBounds, OversizedFileIsRefusedAndLeftAlone) {
  test::FakeClock clock(2026, 3, 10, 12, 0, 0);
  MemoryFiles files;
  files.files[kFile].assign(CNotesFile::kMaxFileBytes + 1, 0);
  test::RecordingSink sink;

  CNotesFile notes(files, sink);
  notes.Save();
  EXPECT_EQ(sink.LastText(), "Could not read notes file \"QLNOTES.DAT\".");
  EXPECT_EQ(files.files[kFile].size(), CNotesFile::kMaxFileBytes + 1);
}

// Random files, rich in markers and NULs, must load without reading past their end (the
// sanitizer build checks that) and save to a well-formed file that loads back to itself.
TEST(NotesFileBounds, RandomBytesLoadSafelyAndSaveWellFormed) {
  test::FakeClock clock(0);  // so about half of the random dates survive the cut-off
  const std::int32_t cutoff = -kThreeDays;
  std::mt19937 random(20260310);
  std::uniform_int_distribution<int> kind(0, 3);
  std::uniform_int_distribution<int> anyByte(0, 255);
  std::uniform_int_distribution<std::size_t> shortLength(0, 80);
  std::uniform_int_distribution<std::size_t> longLength(2000, 4200);

  for (int round = 0; round < 3000; ++round) {
    const std::size_t length = round % 50 == 0 ? longLength(random) : shortLength(random);
    std::vector<std::uint8_t> bytes(length);
    for (std::uint8_t& b : bytes) {
      const int k = kind(random);
      b = static_cast<std::uint8_t>(k == 0 ? 1 : k == 1 ? 0 : anyByte(random));
    }
    MemoryFiles files;
    files.files[kFile] = bytes;
    test::RecordingSink sink;
    {
      CNotesFile notes(files, sink);
      notes.Save();
    }
    const std::vector<std::uint8_t> saved = files.files[kFile];

    std::size_t at = 0;
    std::int64_t previous = INT64_MIN;
    while (at < saved.size()) {
      ASSERT_EQ(saved[at], 1) << "round " << round;
      ASSERT_LE(at + 6, saved.size()) << "round " << round;
      const std::int64_t date =
          static_cast<std::uint32_t>(saved[at + 1] | saved[at + 2] << 8 | saved[at + 3] << 16 |
                                     static_cast<std::uint32_t>(saved[at + 4]) << 24);
      EXPECT_GT(date, previous) << "round " << round;
      EXPECT_GE(date, cutoff) << "round " << round;
      previous = date;
      const auto nul =
          std::find(saved.begin() + static_cast<std::ptrdiff_t>(at + 5), saved.end(), 0);
      ASSERT_NE(nul, saved.end()) << "round " << round;
      const auto end = static_cast<std::size_t>(nul - saved.begin());
      EXPECT_LE(end - (at + 5), CNotesFile::kMaxTextLength) << "round " << round;
      at = end + 1;
    }
    {
      CNotesFile notes(files, sink);
      notes.Save();
    }
    EXPECT_EQ(files.files[kFile], saved) << "round " << round;
    EXPECT_TRUE(sink.Messages().empty()) << "round " << round;
  }
}
