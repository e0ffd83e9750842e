#include "frame/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

namespace fs = std::filesystem;

using test_support::FailureOf;
using test_support::FilesIn;

class AtomicFile : public ::testing::Test {
 protected:
  test_support::TempFolder dir_;
};

TEST_F(AtomicFile, ReplacesWholeFilesAndKeepsTheirMode) {
  const std::string path = dir_.File("t.txt");
  WriteFileAtomically(path, std::string("a\0b\r\n", 5));
  EXPECT_EQ(ReadFileBytes(path), std::string("a\0b\r\n", 5));
  ::chmod(path.c_str(), 0640);
  WriteFileAtomically(path, "second");
  EXPECT_EQ(ReadFileBytes(path), "second");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(FilesIn(dir_.Path()), 1u);  // no temporary file left

  // A link is followed: the file it names is replaced, the link stays.
  const std::string link = dir_.File("link.txt");
  fs::create_symlink(path, link);
  WriteFileAtomically(link, "through the link");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFileBytes(path), "through the link");
}

TEST_F(AtomicFile, FailuresLeaveNothingBehind) {
  EXPECT_EQ(FailureOf([&] { WriteFileAtomically(dir_.File("no/t.txt"), "x"); }),
            err::kPathAccess);
  fs::create_directory(dir_.File("folder"));
  EXPECT_EQ(FailureOf([&] { WriteFileAtomically(dir_.File("folder"), "x"); }),
            err::kPathAccess);
  EXPECT_TRUE(fs::is_directory(dir_.File("folder")));
  EXPECT_EQ(FilesIn(dir_.Path()), 1u);

  EXPECT_EQ(FailureOf([&] { ReadFileBytes(dir_.File("missing")); }),
            err::kFileNotFound);
  EXPECT_EQ(FailureOf([&] { ReadFileBytes(dir_.File("folder")); }),
            err::kPathAccess);

  EXPECT_EQ(FileFailure(ENOSPC, "p").number(), err::kDiskFull);
  EXPECT_EQ(FileFailure(EDQUOT, "p").number(), err::kDiskFull);
  EXPECT_EQ(FileFailure(EACCES, "p").number(), err::kPermissionDenied);
  EXPECT_EQ(FileFailure(EROFS, "p").number(), err::kPermissionDenied);
  EXPECT_EQ(FileFailure(ENOTDIR, "p").number(), err::kPathAccess);
  EXPECT_EQ(FileFailure(EIO, "p").number(), err::kIoError);
  EXPECT_NE(FileFailure(ENOSPC, "/x/y").description().find("/x/y"),
            std::string::npos);
}

// A write that runs out of room (a file size limit stands in for a full
// disk) fails as a full disk and leaves the old file as it was.
TEST_F(AtomicFile, NoRoomKeepsTheOldFile) {
  const std::string path = dir_.File("t.txt");
  WriteFileAtomically(path, "old contents");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1024, 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    int code = 1;
    try {
      WriteFileAtomically(path, std::string(100000, 'x'));
    } catch (const Failure& f) {
      code = f.number() == err::kDiskFull ? 0 : 2;
    }
    std::_Exit(code);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadFileBytes(path), "old contents");
  EXPECT_EQ(FilesIn(dir_.Path()), 1u);
}

}  // namespace
}  // namespace qdr2_Gomiat
