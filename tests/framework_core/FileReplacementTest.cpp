#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "framework/core/FileReplacement.h"
#include "TempFolder.h"

namespace fw {
namespace {

using analysis::test::TempFolder;

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Links are followed to the file they finally name, relative ones from their
// own folder; the links stay, and a loop of links is an error that writes
// nothing.
TEST(FileReplacement, LinksAreWrittenThroughAndStay) {
    const TempFolder folder;
    namespace fs = std::filesystem;
    fs::create_directories(folder.PathOf("a/b"));
    const std::string target = folder.Write("a/b/data.dat", "old");
    fs::create_symlink("b/data.dat", folder.PathOf("a/near"));          // relative, in its own folder
    fs::create_symlink(folder.PathOf("a/near"), folder.PathOf("far"));  // absolute, to a link
    fs::create_symlink("a/b/missing.dat", folder.PathOf("dangling"));   // to a file yet to be
    fs::create_symlink("loop2", folder.PathOf("loop1"));
    fs::create_symlink("loop1", folder.PathOf("loop2"));

    ReplaceFileWith(folder.PathOf("far"), "new");
    EXPECT_EQ(ReadAll(target), "new");
    EXPECT_TRUE(fs::is_symlink(folder.PathOf("far")) && fs::is_symlink(folder.PathOf("a/near")));
    ReplaceFileWith(folder.PathOf("dangling"), "made");
    EXPECT_EQ(ReadAll(folder.PathOf("a/b/missing.dat")), "made");
    EXPECT_TRUE(fs::is_symlink(folder.PathOf("dangling")));
    try {
        ReplaceFileWith(folder.PathOf("loop1"), "never");
        ADD_FAILURE() << "a loop of links was written";
    } catch (const FileSaveError& error) {
        EXPECT_EQ(error.Message(), "Cannot save file \"" + folder.PathOf("loop1") + "\": " + std::strerror(ELOOP));
    }
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::recursive_directory_iterator(folder.PathOf(""))) ++entries;
    EXPECT_EQ(entries, 9u);  // a, a/b, two data files and five links: no temporary
}

}  // namespace
}  // namespace fw
