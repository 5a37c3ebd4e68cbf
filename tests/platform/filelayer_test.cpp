// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/filelayer.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <future>

#include "platform/posixfilelayer.h"
#include "support/faultyfilelayer.h"
#include "support/tempdir.h"

using namespace zw;

namespace {

std::vector<std::uint8_t> Bytes(const std::string& s) {
  return {s.begin(), s.end()};
}

std::string Content(IFileLayer& files, const std::string& path) {
  const ReadResult r = files.Read(path, 1 << 20);
  return {r.bytes.begin(), r.bytes.end()};
}

}  // namespace

TEST(FileLayer, ReadIsBoundedAndReportsTruncation) {
  test::TempDir dir;
  CPosixFileLayer files;
  const std::string path = dir.File("data");
  ASSERT_TRUE(files.Write(path, Bytes("0123456789")).Ok());

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
  const ReadResult missing = files.Read(dir.File("missing"), 10);
  EXPECT_EQ(missing.stage, FileStage::kOpen);
  EXPECT_EQ(missing.cause, FileCause::kFileNotFound);
  EXPECT_EQ(files.Read(dir.Path(), 10).cause, FileCause::kAccessDenied);
  EXPECT_EQ(files.Write(dir.File("no/such/dir/file"), Bytes("x")),
            (FileError{FileStage::kOpen, FileCause::kFileNotFound}));
  EXPECT_EQ(files.Append(dir.File("no/such/dir/file"), Bytes("x")),
            (FileError{FileStage::kOpen, FileCause::kFileNotFound}));
  EXPECT_EQ(files.Remove(dir.File("missing")), FileCause::kFileNotFound);
  EXPECT_EQ(files.MakeDirectories(dir.File("a/b/c")), FileCause::kNone);
  EXPECT_TRUE(files.Exists(dir.File("a/b/c")));
}

TEST(FileLayer, ErrnoMapsToCauseCodes) {
  const std::pair<int, int> table[] = {{0, 0},       {ENOENT, 2}, {ENOTDIR, 3}, {ENAMETOOLONG, 3},
                                       {EMFILE, 4},  {EACCES, 5}, {EROFS, 5},   {ESPIPE, 9},
                                       {EIO, 10},    {EBUSY, 11}, {ENOLCK, 12}, {ENOSPC, 13},
                                       {EDQUOT, 13}, {EINVAL, 1}};
  for (const auto& [error, cause] : table) {
    EXPECT_EQ(static_cast<int>(FileCauseFromErrno(error)), cause) << "errno " << error;
  }
}

TEST(FileLayer, AtomicSaveLeavesTheOldFileWholeOnEveryFailure) {
  test::TempDir dir;
  test::FaultyFileLayer files;
  const std::string path = dir.File("ALM_ZON.DAT");
  ASSERT_TRUE(SaveAtomically(files, path, Bytes("old contents")).Ok());

  files.FailWrite(2, FileCause::kDiskFull);
  EXPECT_EQ(SaveAtomically(files, path, Bytes("new contents")),
            (FileError{FileStage::kWrite, FileCause::kDiskFull}));
  EXPECT_EQ(Content(files, path), "old contents");
  EXPECT_FALSE(files.Exists(path + ".saving"));

  files.FailRename(2, FileCause::kAccessDenied);
  EXPECT_EQ(SaveAtomically(files, path, Bytes("new contents")),
            (FileError{FileStage::kWrite, FileCause::kAccessDenied}));
  EXPECT_EQ(Content(files, path), "old contents");
  EXPECT_FALSE(files.Exists(path + ".saving"));

  EXPECT_TRUE(SaveAtomically(files, path, Bytes("new contents")).Ok());
  EXPECT_EQ(Content(files, path), "new contents");
}

TEST(FileLayer, AppendAddsAtTheEndAndCreatesMissingFiles) {
  test::TempDir dir;
  CPosixFileLayer files;
  const std::string path = dir.File("ZnWright.log");
  ASSERT_TRUE(files.Append(path, Bytes("one\r\n")).Ok());
  ASSERT_TRUE(files.Append(path, Bytes("two\r\n")).Ok());
  EXPECT_EQ(Content(files, path), "one\r\ntwo\r\n");
}

TEST(FileLayer, SpecialFilesNamedLikeDataFilesAreRefusedWithoutWaiting) {
  test::TempDir dir;
  const std::string fifo = dir.File("ALM_ZON.DAT");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  CPosixFileLayer files;
  const std::vector<std::uint8_t> bytes{1, 2, 3};
  // Each operation runs on its own thread so that a hang fails the test instead of
  // stopping it; a writer end opened afterwards lets a stuck reader go.
  const auto finishes = [&fifo](auto operation) {
    auto done = std::async(std::launch::async, operation);
    if (done.wait_for(std::chrono::seconds(3)) == std::future_status::ready) {
      return done.get();
    }
    const int unblock = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    done.wait();
    ::close(unblock);
    return FileError{FileStage::kNone, FileCause::kGeneric};
  };
  EXPECT_EQ(finishes([&] {
              const ReadResult read = files.Read(fifo, 100);
              return FileError{read.stage, read.cause};
            }),
            (FileError{FileStage::kOpen, FileCause::kAccessDenied}));
  EXPECT_EQ(finishes([&] { return files.Append(fifo, bytes); }).stage, FileStage::kOpen);
}
