#include "platform/filelayer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

#include "platform/posixfilelayer.h"
#include "support/faultyfilelayer.h"
#include "support/tempdir.h"

using namespace zw;

namespace {

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

std::string Content(IFileLayer& files, const std::string& path) {
  const ReadResult r = files.Read(path, 1 << 20);
  return {r.bytes.begin(), r.bytes.end()};
}

}  // namespace

TEST(FileLayer, ReadIsBoundedAndReportsTruncation) {
  test::TempDir dir;
  CPosixFileLayer files;
  const std::string path = dir.File("data");
  ASSERT_EQ(files.Write(path, Bytes("0123456789")), FileCause::kNone);

  ReadResult whole = files.Read(path, 10);
  EXPECT_EQ(whole.cause, FileCause::kNone);
  EXPECT_FALSE(whole.truncated);
  EXPECT_EQ(whole.bytes.size(), 10u);

  ReadResult cut = files.Read(path, 4);
  EXPECT_TRUE(cut.truncated);
  EXPECT_EQ(std::string(cut.bytes.begin(), cut.bytes.end()), "0123");

  ReadResult empty = files.Read(path, 0);
  EXPECT_TRUE(empty.truncated);
  EXPECT_TRUE(empty.bytes.empty());
}

TEST(FileLayer, FailuresCarryTheirCauseCode) {
  test::TempDir dir;
  CPosixFileLayer files;
  EXPECT_EQ(files.Read(dir.File("missing"), 10).cause, FileCause::kFileNotFound);
  EXPECT_EQ(files.Read(dir.Path(), 10).cause, FileCause::kAccessDenied);
  EXPECT_EQ(files.Write(dir.File("no/such/dir/file"), Bytes("x")), FileCause::kFileNotFound);
  EXPECT_EQ(files.Remove(dir.File("missing")), FileCause::kFileNotFound);
  EXPECT_EQ(files.MakeDirectories(dir.File("a/b/c")), FileCause::kNone);
  EXPECT_TRUE(files.Exists(dir.File("a/b/c")));
}

TEST(FileLayer, ErrnoMapsToCauseCodes) {
  const std::pair<int, int> table[] = {
      {0, 0},       {ENOENT, 2}, {ENOTDIR, 3}, {ENAMETOOLONG, 3}, {EMFILE, 4},
      {EACCES, 5},  {EROFS, 5},  {ESPIPE, 9},  {EIO, 10},         {EBUSY, 11},
      {ENOLCK, 12}, {ENOSPC, 13}, {EDQUOT, 13}, {EINVAL, 1}};
  for (const auto& [error, cause] : table) {
    EXPECT_EQ(static_cast<int>(FileCauseFromErrno(error)), cause) << "errno " << error;
  }
}

TEST(FileLayer, AtomicSaveLeavesTheOldFileWholeOnEveryFailure) {
  test::TempDir dir;
  test::FaultyFileLayer files;
  const std::string path = dir.File("ALM_ZON.DAT");
  ASSERT_EQ(SaveAtomically(files, path, Bytes("old contents")), FileCause::kNone);

  files.FailWrite(2, FileCause::kDiskFull);
  EXPECT_EQ(SaveAtomically(files, path, Bytes("new contents")), FileCause::kDiskFull);
  EXPECT_EQ(Content(files, path), "old contents");
  EXPECT_FALSE(files.Exists(path + ".saving"));

  files.FailRename(2, FileCause::kAccessDenied);
  EXPECT_EQ(SaveAtomically(files, path, Bytes("new contents")), FileCause::kAccessDenied);
  EXPECT_EQ(Content(files, path), "old contents");
  EXPECT_FALSE(files.Exists(path + ".saving"));

  EXPECT_EQ(SaveAtomically(files, path, Bytes("new contents")), FileCause::kNone);
  EXPECT_EQ(Content(files, path), "new contents");
}
