#include <gtest/gtest.h>

#include <fcntl.h>

#include <cerrno>
#include <string>

#include "TempFolder.h"
#include "analysis/io/FileChunkReader.h"
#include "analysis/io/FileDescriptor.h"

namespace analysis {
namespace {

// The window, emptied after every chunk or kept whole (then it grows), holds
// the file's bytes up to its first Ctrl-Z, in chunks of any size.
TEST(FileChunkReader, GivesTheBytesBeforeCtrlZInAnyChunking) {
    const test::TempFolder folder;
    const std::string token(100, '7');
    for (const std::string& bytes : {std::string(), std::string("1 2\r\n3"),
                                     std::string("12\x1A"
                                                 "34"),
                                     std::string("\x1A"
                                                 "5"),
                                     token + "\n" + token, std::string("ab\x1A")}) {
        const std::string path = folder.Write("chunks.dat", bytes);
        const std::string data = bytes.substr(0, bytes.find('\x1A'));
        for (std::size_t chunk = 1; chunk <= 8; ++chunk) {
            for (const bool keep : {false, true}) {
                const FileDescriptor file(::open(path.c_str(), O_RDONLY));
                FileChunkReader window(file.Get(), chunk, chunk);
                std::string seen;
                do {
                    if (keep) continue;
                    seen.append(window.Begin(), window.End());
                    window.Consume(window.End());
                } while (window.Fill());
                if (keep) seen.assign(window.Begin(), window.End());
                SCOPED_TRACE("chunk " + std::to_string(chunk) + (keep ? ", kept" : ", emptied"));
                EXPECT_EQ(seen, data);
                EXPECT_TRUE(window.LastData());
                EXPECT_EQ(window.Error(), 0);
            }
        }
    }
}

TEST(FileChunkReader, FailedReadEndsTheDataWithItsError) {
    const test::TempFolder folder;
    const FileDescriptor directory(::open(folder.PathOf("").c_str(), O_RDONLY));
    FileChunkReader window(directory.Get(), 8, 8);
    EXPECT_FALSE(window.Fill());
    EXPECT_TRUE(window.LastData());
    EXPECT_EQ(window.Error(), EISDIR);
    EXPECT_EQ(window.Begin(), window.End());
}

}  // namespace
}  // namespace analysis
