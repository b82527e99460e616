#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <string>
#include <tuple>
#include <sys/stat.h>
#include <sys/sysmacros.h>

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

// A device or a FIFO is written, once the file beside it in the set is in place, and stays;
// a folder is refused before that file is; a file is replaced whole (a second link keeps the old one).
TEST(FileReplacement, StreamsAreWrittenWhereTheyStandAndFoldersRefused) {
    namespace fs = std::filesystem;
    const TempFolder folder;
    const std::string path = folder.PathOf("target"), beside = folder.PathOf("beside"), data(1 << 20, '7');
    const WriteContent write = [&](int fd) { ASSERT_TRUE(WriteAll(fd, data.data(), data.size())); };
    const std::tuple<mode_t, fs::file_type, std::string, std::string> cases[] = {
        {S_IFCHR, fs::file_type::character, "", data},    // made as /dev/null is; then the file beside
        {S_IFIFO, fs::file_type::fifo, "", data + data},  // the file beside as the reader opens, then what it reads
        {S_IFDIR, fs::file_type::directory, std::strerror(EISDIR), "old"},
        {S_IFREG, fs::file_type::regular, "", data + data + "old"},
    };
    for (const auto& [type, kind, error, after] : cases) {
        folder.Write("beside", "old");
        if (type == S_IFREG) fs::create_hard_link(folder.Write("target", "old"), path + ".old");
        if (type == S_IFDIR) fs::create_directory(path);
        if (type == S_IFCHR || type == S_IFIFO) ::mknod(path.c_str(), type | 0600, makedev(1, 3));
        std::future<std::string> reader;
        if (type == S_IFIFO)
            reader = std::async(std::launch::async, [&] {
                std::ifstream in(path);  // opens when the writer does
                return ReadAll(beside).append(std::istreambuf_iterator<char>(in), {});
            });
        std::string message;
        try {
            FileReplacements files;
            files.Prepare(beside, write);
            files.Prepare(path, write);
            files.Commit();
        } catch (const FileSaveError& e) {
            message = e.Message();
        }
        EXPECT_EQ(fs::symlink_status(path).type(), kind);
        EXPECT_EQ(message, error.empty() ? "" : "Cannot save file \"" + path + "\": " + error) << type;
        EXPECT_EQ(reader.valid() ? reader.get() : ReadAll(beside) + ReadAll(path) + ReadAll(path + ".old"), after);
        fs::remove_all(path);
    }
}

}  // namespace
}  // namespace fw
