// Output files appear whole or not at all.
#include "output_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "../support/test_support.h"

namespace gomiat {
namespace {

namespace test = qdr2_Gomiat::test_support;
using test::FilesIn;
using test::MessageOf;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

TEST(OutputFileTest, ReplacesOnlyOnCommit) {
  TempFolder dir;
  const std::string path = dir.File("road.dxf");
  WriteFile(path, "old drawing");
  {
    OutputFile out(path);
    out.Stream() << "half a drawing";
    EXPECT_EQ(ReadFile(path), "old drawing");
  }  // dropped: the old file stays, no temporary is left
  EXPECT_EQ(ReadFile(path), "old drawing");
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
  {
    OutputFile out(path);
    out.Stream() << "new drawing";
    out.Commit();
  }
  EXPECT_EQ(ReadFile(path), "new drawing");
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(OutputFileTest, MissingFolderOrAFolderAsNameIsRefusedAtOnce) {
  TempFolder dir;
  try {
    OutputFile out(dir.File("no/such/road.dxf"));
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("does not exist"), std::string::npos);
  }
  EXPECT_THROW(OutputFile out(dir.Path().string()), std::runtime_error);
}

// A drawing saved through a link replaces the file the link names, with
// that file's permissions, however much is written.
TEST(OutputFileTest, FollowsLinksAndKeepsPermissions) {
  TempFolder dir;
  const std::string path = dir.File("road.dxf");
  const std::string link = dir.File("latest.dxf");
  WriteFile(path, "old drawing");
  ::chmod(path.c_str(), 0640);
  std::filesystem::create_symlink(path, link);
  std::string drawing;
  for (int i = 0; i < 100000; ++i) drawing += "10\n" + std::to_string(i) + "\n";
  OutputFile out(link);
  out.Stream() << drawing;
  out.Commit();
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFile(path), drawing);
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(FilesIn(dir.Path()), 2u);
}

// Failures name the path as given and say why in the program's words.
TEST(OutputFileTest, FailuresSayWhy) {
  TempFolder dir;
  const std::string path = dir.File("road.dxf");
  if (::geteuid() != 0) {  // root may write anywhere
    ::chmod(dir.Path().c_str(), 0500);
    EXPECT_EQ(MessageOf<std::runtime_error>([&] { OutputFile out(path); }),
              path + ": Permission denied");
    ::chmod(dir.Path().c_str(), 0700);
  }
  // A full disk (a file size limit stands in for it) shows when committing;
  // the child reports what it was told.
  int pipe_fds[2];
  ASSERT_EQ(::pipe(pipe_fds), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1024, 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const std::string message = MessageOf<std::runtime_error>([&] {
      OutputFile out(path);
      out.Stream() << std::string(100000, 'x');
      out.Commit();
    });
    const ssize_t n = ::write(pipe_fds[1], message.data(), message.size());
    std::_Exit(n == static_cast<ssize_t>(message.size()) ? 0 : 1);
  }
  ::close(pipe_fds[1]);
  std::string message;
  char buf[512];
  for (ssize_t n; (n = ::read(pipe_fds[0], buf, sizeof buf)) > 0;)
    message.append(buf, static_cast<size_t>(n));
  ::close(pipe_fds[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_EQ(message, path + ": writing failed (disk full?)");
  EXPECT_EQ(FilesIn(dir.Path()), 0u);
}

}  // namespace
}  // namespace gomiat
