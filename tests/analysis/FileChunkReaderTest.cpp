#include <gtest/gtest.h>

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "TempFolder.h"
#include "analysis/io/FileChunkReader.h"
#include "analysis/io/FileDescriptor.h"
#include "analysis/io/FileError.h"

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

// Whole files, and runs from an offset that end where the file does; a run
// from an offset leaves the descriptor's position alone.
TEST(FileDescriptor, ReadsRunsAndWholeFilesUpToTheirEnd) {
    const test::TempFolder folder;
    for (const std::size_t size : {0u, 1u, 4097u, 3u << 20}) {
        std::string content(size, '\0');
        for (std::size_t i = 0; i < size; ++i) content[i] = static_cast<char>(i * 7 + i / 251);
        const std::string path = folder.Write("file.bin", content);
        const FileDescriptor file(::open(path.c_str(), O_RDONLY));
        std::string tail(size, '\0');
        tail.resize(ReadFileAt(file.Get(), path, tail.data(), tail.size(), static_cast<int64_t>(size / 2)));
        EXPECT_EQ(tail, content.substr(size / 2));
        const std::vector<char> whole = ReadWholeFile(file.Get(), path);
        EXPECT_EQ(std::string(whole.begin(), whole.end()), content) << size;
    }
    const FileDescriptor directory(::open(folder.PathOf("").c_str(), O_RDONLY));
    EXPECT_THROW(ReadWholeFile(directory.Get(), "d"), EFileUnreadable);
}

// A read a signal interrupts, and one that gives part of what is asked for,
// are followed by more until the data ends, from a pipe too.
TEST(FileDescriptor, AWholeReadGoesOnThroughInterruptedAndShortReads) {
    using namespace std::chrono_literals;
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const FileDescriptor reader(ends[0]);
    // Without SA_RESTART the signal ends the waiting read with EINTR.
    struct sigaction quiet {};
    struct sigaction old {};
    quiet.sa_handler = [](int) {};
    ASSERT_EQ(::sigaction(SIGUSR1, &quiet, &old), 0);
    std::thread writer([&, self = ::pthread_self()] {
        const FileDescriptor end(ends[1]);
        EXPECT_EQ(::write(end.Get(), "abc", 3), 3);
        std::this_thread::sleep_for(50ms);
        ::pthread_kill(self, SIGUSR1);
        std::this_thread::sleep_for(50ms);
        EXPECT_EQ(::write(end.Get(), "de", 2), 2);
    });
    std::vector<char> bytes;
    EXPECT_NO_THROW(bytes = ReadWholeFile(reader.Get(), "pipe"));
    writer.join();
    ::sigaction(SIGUSR1, &old, nullptr);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "abcde");
}

}  // namespace
}  // namespace analysis
