// Which code table a run uses, and that it changes only when asked to.
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

// What the component saved in the run's folder.
void RunSaves(const CodeTablePlace& place, const std::string& bytes) {
  WriteFile(place.Folder() + "/" + kCodeTableName, bytes);
}

TEST(CodeTablePlaceTest, TheRunWorksOnACopySavedBackOnlyWhenAsked) {
  TempFolder dir;
  const std::string mine = dir.File("road_codes.txt");
  WriteFile(mine, "CT,,Lineal,CT, 2,1\r\n");
  std::string private_folder;
  for (bool save : {false, true}) {
    CodeTablePlace place(mine, "/x", save);
    private_folder = place.Folder();
    EXPECT_EQ(ReadFile(private_folder + "/" + kCodeTableName),
              "CT,,Lineal,CT, 2,1\r\n");
    RunSaves(place, "CT,,Lineal,CERCA, 3,1\r\n");
    place.Finish();
    EXPECT_EQ(ReadFile(mine),
              save ? "CT,,Lineal,CERCA, 3,1\r\n" : "CT,,Lineal,CT, 2,1\r\n");
  }
  EXPECT_FALSE(std::filesystem::exists(private_folder));

  // The component's own table, missing: only a saving run creates it.
  for (bool save : {false, true}) {
    CodeTablePlace place(std::nullopt, dir.Path().string(), save);
    EXPECT_NE(place.Folder(), dir.Path().string());
    RunSaves(place, "ARBOL, 1,Puntual\r\n");
    place.Finish();
    EXPECT_EQ(std::filesystem::exists(dir.File(kCodeTableName)), save);
  }
  // A pipe is refused at once, not waited on; so is a link to nothing.
  ASSERT_EQ(::mkfifo(dir.File("pipe.txt").c_str(), 0600), 0);
  std::filesystem::create_symlink(dir.File("none"), dir.File("link.txt"));
  for (const std::string& bad : {dir.File("missing/t.txt"), dir.Path().string(),
                                 dir.File("pipe.txt"), dir.File("link.txt")})
    EXPECT_THROW(CodeTablePlace(bad, "/x", false), std::invalid_argument)
        << bad;

  // A failed copy back keeps the run's table and says where.
  std::filesystem::create_directory(dir.File("sub"));
  {
    CodeTablePlace place(dir.File("sub/codes.txt"), "/x", true);
    RunSaves(place, "EJE, 2,Lineal\r\n");
    std::filesystem::remove_all(dir.File("sub"));
    const std::string copy = place.Folder() + "/" + kCodeTableName;
    EXPECT_NE(
        test::MessageOf<std::runtime_error>([&] { place.Finish(); }).find(copy),
        std::string::npos);
    private_folder = place.Folder();
  }
  EXPECT_EQ(ReadFile(private_folder + "/" + kCodeTableName),
            "EJE, 2,Lineal\r\n");
  std::filesystem::remove_all(private_folder);
}

}  // namespace
}  // namespace gomiat
