// Output files appear whole or not at all.
#include "output_file.h"

#include <gtest/gtest.h>

#include "../support/test_support.h"

namespace gomiat {
namespace {

namespace test = qdr2_Gomiat::test_support;
using test::FilesIn;
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

}  // namespace
}  // namespace gomiat
