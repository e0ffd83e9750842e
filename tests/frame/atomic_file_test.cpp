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

// Whether `write` fails as a full disk when the file size limit (standing
// in for a full disk) is 1 KiB; run in a child so the limit ends with it.
template <class Write>
bool FailsAsDiskFull(Write&& write) {
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1024, 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    int code = 1;
    try {
      write();
    } catch (const Failure& f) {
      code = f.number() == err::kDiskFull ? 0 : 2;
    }
    std::_Exit(code);
  }
  int status = 0;
  return ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

// A write that runs out of room fails as a full disk and leaves the old
// file as it was, whether it fails while writing or at Commit.
TEST_F(AtomicFile, NoRoomKeepsTheOldFile) {
  const std::string path = dir_.File("t.txt");
  WriteFileAtomically(path, "old contents");
  EXPECT_TRUE(FailsAsDiskFull(
      [&] { WriteFileAtomically(path, std::string(100000, 'x')); }));
  EXPECT_TRUE(FailsAsDiskFull([&] {
    AtomicFileWriter out(path);
    for (int i = 0; i < 1000; ++i) out.Write("small pieces gathered\n");
    out.Commit();
  }));
  EXPECT_EQ(ReadFileBytes(path), "old contents");
  EXPECT_EQ(FilesIn(dir_.Path()), 1u);
}

// Pieces small and large come out whole, and only on Commit; dropped
// before, the writer leaves the old file and nothing else.
TEST_F(AtomicFile, WriterReplacesOnlyOnCommit) {
  const std::string path = dir_.File("t.txt");
  WriteFileAtomically(path, "old");
  std::string expected;
  auto write_all = [&](AtomicFileWriter& out) {
    expected.clear();
    for (int i = 0; i < 200000; ++i) {  // more than is gathered at once
      const std::string piece = std::to_string(i) + "\n";
      out.Write(piece);
      expected += piece;
    }
    const std::string big(size_t{3} << 20, 'b');
    out.Write(big);
    out.Write("end");
    expected += big + "end";
  };
  {
    AtomicFileWriter out(path);
    write_all(out);
    EXPECT_EQ(ReadFileBytes(path), "old");
  }
  EXPECT_EQ(ReadFileBytes(path), "old");
  EXPECT_EQ(FilesIn(dir_.Path()), 1u);

  AtomicFileWriter out(path);
  write_all(out);
  out.Commit();
  EXPECT_EQ(ReadFileBytes(path), expected);
  // Once committed, the writer takes nothing more.
  EXPECT_EQ(FailureOf([&] { out.Write("x"); }), err::kIoError);
  EXPECT_EQ(FailureOf([&] { out.Commit(); }), err::kIoError);
  EXPECT_EQ(ReadFileBytes(path), expected);
  EXPECT_EQ(FilesIn(dir_.Path()), 1u);
}

// A caller with numbers of its own gets errno and the target's path.
TEST_F(AtomicFile, CallersMakeTheirOwnFailures) {
  static int seen_errno = 0;
  static std::string seen_path;
  const FileFailureMaker mine = [](int e, const std::string& path) {
    seen_errno = e;
    seen_path = path;
    return Failure(9999, "mine");
  };
  EXPECT_EQ(FailureOf([&] { AtomicFileWriter(dir_.File("no/t.txt"), mine); }),
            9999);
  EXPECT_EQ(seen_errno, ENOENT);
  EXPECT_EQ(seen_path, dir_.File("no/t.txt"));
  fs::create_directory(dir_.File("folder"));
  EXPECT_EQ(FailureOf([&] {
              AtomicFileWriter out(dir_.File("folder"), mine);
              out.Commit();
            }),
            9999);
  EXPECT_EQ(seen_errno, EISDIR);
  EXPECT_EQ(FailureOf([&] { AtomicFileWriter("", mine); }), err::kBadFileName);
  EXPECT_EQ(FilesIn(dir_.Path()), 1u);
}

}  // namespace
}  // namespace qdr2_Gomiat
