// Output files appear whole or not at all, and what is not a regular file
// is written to, never replaced.
#include "output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
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

std::string CommitMessage(const std::string& path, const std::string& text) {
  return MessageOf<std::runtime_error>([&] {
    OutputFile out(path);
    out.Stream() << text;
    out.Commit();
  });
}

// A writer dropped before Commit: AnInterruptedWriteLeavesNoTemporaryFile.
TEST(OutputFileTest, ReplacesFilesWritesToDevicesAndPipesAndSaysWhyNot) {
  TempFolder dir;
  const std::string path = dir.File("road.dxf");
  WriteFile(path, "old drawing");
  EXPECT_EQ(CommitMessage(path, "new drawing"), "");
  EXPECT_EQ(ReadFile(path), "new drawing");
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
  EXPECT_NE(CommitMessage(dir.File("no/road.dxf"), "").find("does not exist"),
            std::string::npos);
  EXPECT_NE(CommitMessage(dir.Path().string(), "").find("is a folder"),
            std::string::npos);

  EXPECT_EQ(CommitMessage("/dev/null", std::string(3 << 20, 'x')), "");
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  EXPECT_EQ(CommitMessage("/dev/full", "x"),
            "/dev/full: writing failed (disk full?)");
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(CommitMessage(fifo, "x"),
            fifo + ": a named pipe that nobody reads");
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  EXPECT_EQ(CommitMessage(fifo, "drawing"), "");
  char got[16] = {};
  EXPECT_EQ(::read(reader, got, sizeof got), 7);
  ::close(reader);
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));

  sockaddr_un addr{AF_UNIX, {}};
  dir.File("sock").copy(addr.sun_path, sizeof addr.sun_path - 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  EXPECT_THROW(OutputFile::Check(dir.File("sock")), std::runtime_error);
  ::close(fd);
}

// Ctrl-C or a kill while a drawing is written: the temporary file goes,
// the old drawing stays, and the program ends by the signal.
TEST(OutputFileTest, AnInterruptedWriteLeavesNoTemporaryFile) {
  TempFolder dir;
  const std::string path = dir.File("road.dxf");
  WriteFile(path, "old drawing");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    {
      InterruptGuard guard;
      try {
        OutputFile out(path);
        for (int i = 0; i < 100; ++i) {
          out.Stream() << std::string(1 << 20, 'x');
          if (i == 10) ::kill(::getpid(), SIGTERM);
        }
        out.Commit();  // throws "interrupted"
      } catch (const std::runtime_error&) {
      }
    }  // the held signal ends the child here
    std::_Exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
  EXPECT_EQ(ReadFile(path), "old drawing");
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

}  // namespace
}  // namespace gomiat
