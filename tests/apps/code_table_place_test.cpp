// Which code table a run uses, and that the user's table is never lost.
#include "code_table_place.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "../support/test_support.h"

namespace gomiat {
namespace {

namespace test = qdr2_Gomiat::test_support;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

TEST(CodeTablePlaceTest, DefaultAndATableNamedAsTheComponentsAreUsedInPlace) {
  TempFolder dir;
  EXPECT_EQ(CodeTablePlace(std::nullopt, "/opt/component").Folder(),
            "/opt/component");
  CodeTablePlace place(dir.File(kCodeTableName), "/opt/component");
  EXPECT_EQ(place.Folder(), dir.Path().string());
  EXPECT_THROW(CodeTablePlace(dir.File("missing/autocroquis.txt"), "/x"),
               std::invalid_argument);
  EXPECT_THROW(CodeTablePlace(dir.Path().string(), "/x"),
               std::invalid_argument);
  // A pipe is refused at once, not waited on; so is a link to nothing.
  ASSERT_EQ(::mkfifo(dir.File("pipe.txt").c_str(), 0600), 0);
  EXPECT_THROW(CodeTablePlace(dir.File("pipe.txt"), "/x"),
               std::invalid_argument);
  std::filesystem::create_symlink(dir.File("none"), dir.File(kCodeTableName));
  EXPECT_THROW(CodeTablePlace(dir.File(kCodeTableName), "/x"),
               std::invalid_argument);
}

TEST(CodeTablePlaceTest, AnotherNameRunsOnACopyThatComesBackWhenChanged) {
  TempFolder dir;
  const std::string mine = dir.File("road_codes.txt");
  WriteFile(mine, "CT,,Lineal,CT, 2,1\r\n");
  std::string private_folder;
  {
    CodeTablePlace place(mine, "/x");
    private_folder = place.Folder();
    ASSERT_NE(private_folder, dir.Path().string());
    const std::string copy = private_folder + "/" + kCodeTableName;
    EXPECT_EQ(ReadFile(copy), "CT,,Lineal,CT, 2,1\r\n");
    WriteFile(copy, "CT,,Lineal,CERCA, 3,1\r\n");  // what the run saved
    place.Finish();
  }
  EXPECT_EQ(ReadFile(mine), "CT,,Lineal,CERCA, 3,1\r\n");
  EXPECT_FALSE(std::filesystem::exists(private_folder));

  // A table file that does not exist yet is created from what the run made.
  const std::string fresh = dir.File("fresh.txt");
  {
    CodeTablePlace place(fresh, "/x");
    WriteFile(place.Folder() + "/" + kCodeTableName, "ARBOL, 1,Puntual\r\n");
    place.Finish();
  }
  EXPECT_EQ(ReadFile(fresh), "ARBOL, 1,Puntual\r\n");

  // A failed copy back keeps the run's table and says where.
  const std::string gone = dir.File("sub/codes.txt");
  std::filesystem::create_directory(dir.File("sub"));
  {
    CodeTablePlace place(gone, "/x");
    const std::string copy = place.Folder() + "/" + kCodeTableName;
    WriteFile(copy, "EJE, 2,Lineal\r\n");
    std::filesystem::remove_all(dir.File("sub"));
    try {
      place.Finish();
      FAIL();
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(copy), std::string::npos);
    }
    private_folder = place.Folder();
  }
  EXPECT_EQ(ReadFile(private_folder + "/" + kCodeTableName),
            "EJE, 2,Lineal\r\n");
  std::filesystem::remove_all(private_folder);
}

}  // namespace
}  // namespace gomiat
