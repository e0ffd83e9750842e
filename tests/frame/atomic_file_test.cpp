#include "frame/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <random>

#include "support/processes.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

namespace fs = std::filesystem;

using test_support::FailureOf;
using test_support::FilesIn;

class AtomicFile : public ::testing::TestWithParam<bool> {
 protected:
  // Each test runs with unnamed temporary files and with named ones.
  void SetUp() override { AllowUnnamedTemporaryFiles(GetParam()); }
  void TearDown() override { AllowUnnamedTemporaryFiles(true); }
  test_support::TempFolder dir_;
};
INSTANTIATE_TEST_SUITE_P(Temporaries, AtomicFile, ::testing::Bool());

TEST_P(AtomicFile, ReplacesOnlyOnCommitKeepingModeAndLinks) {
  const std::string path = dir_.File("t.txt");
  const std::string old("a\0b\r\n", 5);
  WriteFileAtomically(path, old);
  EXPECT_EQ(ReadFileBytes(path), old);
  fs::permissions(path, fs::perms(0640));
  // Pieces small and large (more than is gathered at once), replacing the
  // file only on Commit, and nothing written after it.
  std::string expected;
  for (int i = 0; i < 200000; ++i) expected += std::to_string(i) + "\n";
  const std::string big(size_t{3} << 20, 'b');  // written at once
  auto write_all = [&](bool commit) {
    AtomicFileWriter out(path);
    for (size_t at = 0; at < expected.size(); at += 7 + at % 5000)
      out.Write(std::string_view(expected).substr(at, 7 + at % 5000));
    out.Write(big);
    if (!commit) return;
    out.Commit();
    EXPECT_EQ(FailureOf([&] { out.Write("x"); }), err::kIoError);
  };
  write_all(false);
  EXPECT_EQ(ReadFileBytes(path), old);
  write_all(true);
  EXPECT_EQ(ReadFileBytes(path), expected + big);
  EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
  EXPECT_EQ(FilesIn(dir_.Path()), 1u);  // no temporary file left

  // A link is followed: the file it names is replaced, the link stays.
  const std::string link = dir_.File("link.txt");
  fs::create_symlink(path, link);
  WriteFileAtomically(link, "through the link");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFileBytes(path), "through the link");
}

TEST_P(AtomicFile, FailuresLeaveNothingBehind) {
  static int seen_errno = 0;
  const FileFailureMaker mine = [](int e, const std::string&) {
    seen_errno = e;
    return Failure(9999, "mine");
  };
  EXPECT_EQ(FailureOf([&] { WriteFileAtomically(dir_.File("no/t.txt"), "x"); }),
            err::kPathAccess);
  fs::create_directory(dir_.File("folder"));
  EXPECT_EQ(FailureOf([&] {
              AtomicFileWriter out(dir_.File("folder"), mine);
              out.Commit();
            }),
            9999);
  EXPECT_EQ(seen_errno, EISDIR);
  EXPECT_EQ(FailureOf([&] { AtomicFileWriter("", mine); }), err::kBadFileName);
  EXPECT_EQ(FailureOf([&] { ReadFileBytes(dir_.File("missing")); }),
            err::kFileNotFound);
  EXPECT_EQ(FailureOf([&] { ReadFileBytes(dir_.File("folder")); }),
            err::kPathAccess);
  EXPECT_EQ(FilesIn(dir_.Path()), 1u);

  // No room (a file size limit stands in for a full disk, in a child so
  // the limit ends with it): failure 61 and the old file stays.
  const std::string path = dir_.File("t.txt");
  WriteFileAtomically(path, "old contents");
  test_support::StartLine start;
  const pid_t child = start.Spawn([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1024, 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    // The failure's number is the child's exit status.
    ::_exit(FailureOf(
        [&] { WriteFileAtomically(path, std::string(100000, 'x')); }));
  });
  start.Go();
  EXPECT_EQ(test_support::Reap(child), err::kDiskFull);
  EXPECT_EQ(ReadFileBytes(path), "old contents");
  EXPECT_EQ(FilesIn(dir_.Path()), 2u);
}

// A writer killed at any moment leaves the old file or a whole new one;
// what it leaves besides is gone once the next writer of the file ran.
TEST_P(AtomicFile, AKilledWriterLeavesAWholeFileAndNothingElse) {
  const std::string path = dir_.File("out.dxf");
  const size_t kPiece = 64 * 1024, kPieces = 48;
  std::mt19937 random(4);
  int left_by_kills = 0;
  for (int trial = 0; trial < 10; ++trial) {
    WriteFileAtomically(path, std::string(kPiece * kPieces, 'a'));
    test_support::StartLine start;
    const pid_t child = start.Spawn([&] {
      for (char gen = 'b';; gen = gen == 'z' ? 'b' : gen + 1) {
        AtomicFileWriter out(path);
        for (size_t k = 0; k < kPieces; ++k)
          out.Write(std::string(kPiece, gen));
        out.Commit();
      }
    });
    start.Go();
    test_support::KillAfter(child, 1000 + random() % 40000);
    const std::string now = ReadFileBytes(path);
    EXPECT_EQ(now, std::string(kPiece * kPieces, now.at(0)));
    left_by_kills += static_cast<int>(FilesIn(dir_.Path())) - 1;
    WriteFileAtomically(path, "next");
    EXPECT_EQ(FilesIn(dir_.Path()), 1u);
  }
  if (GetParam()) {
    EXPECT_LE(left_by_kills, 1);
  }
}

}  // namespace
}  // namespace qdr2_Gomiat
