#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "SessionFixture.h"
#include "analysis/io/ReadWarning.h"
#include "framework/core/Exceptions.h"

namespace analysis::test {
namespace {

// Everything a failed load could have changed: the session, and what each
// sink holds.
struct Snapshot {
    int32_t n, j, levels, viewedLevel, viewCount;
    double threshold;
    std::vector<double> buffer, signal, reconstruction, view;
    bool operator==(const Snapshot&) const = default;
};

class FailedLoadTest : public SessionTest {
protected:
    // A decomposed signal whose finest level is viewed and thresholded.
    void SetUp() override {
        SessionTest::SetUp();
        LoadValues(Ramp(17, 3.0));
        session_.Decompose(3);
        session_.SelectViewLevel(0);
        session_.ApplyThreshold(0, "2.5");
        log_.clear();
    }

    Snapshot Take() const {
        return {session_.N(),         session_.J(), session_.Levels(), session_.ViewedLevel(), session_.View().Count(),
                session_.Threshold(), Buffer(),     signal_.points,    reconstruction_.points, view_.points};
    }

    // Loads 9 samples from the file, which must fail with the message; the
    // load runs on a thread so that one that blocks fails after 5 s instead of
    // hanging (a writer opened then lets a blocked open or read end).
    void ExpectFailedLoad(const std::string& file, const std::string& message) {
        const Snapshot before = Take();
        std::promise<std::string> error;
        std::future<std::string> thrown = error.get_future();
        std::thread loader([&] {
            try {
                session_.Load("9", file);
                error.set_value("no error");
            } catch (const EFileError& e) {
                error.set_value(e.Message());
            }
        });
        if (thrown.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ADD_FAILURE() << file << ": the load blocks";
            const int unblock = ::open(file.c_str(), O_WRONLY);
            if (unblock >= 0) ::close(unblock);
        }
        loader.join();
        EXPECT_EQ(thrown.get(), message);
        EXPECT_TRUE(log_.empty()) << file;
        EXPECT_TRUE(controls_.warnings.empty()) << file;
        EXPECT_TRUE(Take() == before) << file;
        log_.clear();
    }

    // Loads 9 samples from the file and cancels at the first progress.
    void ExpectCancelledLoad(const std::string& file) {
        const Snapshot before = Take();
        int calls = 0;
        EXPECT_THROW(session_.Load("9", file,
                                   [&](int64_t read, int64_t total) {
                                       ++calls;
                                       EXPECT_LE(read, total);
                                       return false;
                                   }),
                     fw::EAbort);
        EXPECT_EQ(calls, 1);
        EXPECT_TRUE(log_.empty());
        EXPECT_TRUE(Take() == before);
        EXPECT_TRUE(controls_.warnings.empty());
    }
};

TEST_F(FailedLoadTest, FileWithoutSamplesChangesNothing) {
    const std::string missing = folder_.PathOf("missing.dat");
    ExpectFailedLoad(missing, "Cannot open file \"" + missing + "\": No such file or directory");
    const std::string empty = folder_.Write("empty.dat", "");
    ExpectFailedLoad(empty, "The file \"" + empty + "\" holds no samples: it is empty");
    const std::string blanks = folder_.Write("blanks.dat", " \r\n\t\n");
    ExpectFailedLoad(blanks, "The file \"" + blanks + "\" holds no samples: it holds no numbers");
    const std::string binary = folder_.Write("binary.dat", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
    ExpectFailedLoad(binary,
                     "The file \"" + binary + "\" holds no samples: the text \"\\x89PNG\" at line 1 is not a number");
    const std::string header = folder_.Write("header.dat", "\ntime value\n");
    ExpectFailedLoad(header,
                     "The file \"" + header + "\" holds no samples: the text \"time\" at line 2 is not a number");
    const std::string folder = folder_.PathOf("");
    ExpectFailedLoad(folder, "The file \"" + folder + "\" is not a regular file");
}

// A pipe with no writer would block the open, one whose writer stays open the
// read: either ends the load at once.
TEST_F(FailedLoadTest, PipeEndsTheLoadAtOnce) {
    const std::string pipe = folder_.PathOf("pipe.dat");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    ExpectFailedLoad(pipe, "The file \"" + pipe + "\" is not a regular file");
    const int writer = ::open(pipe.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "1 2 3 4 5\n", 10), 10);
    ExpectFailedLoad(pipe, "The file \"" + pipe + "\" is not a regular file");
    ::close(writer);
}

TEST_F(FailedLoadTest, CancelledLoadChangesNothing) {
    const std::string file = WriteSamples(Ramp(9, 5.0), "new.dat");
    ExpectCancelledLoad(file);

    // Not cancelled, the same file loads.
    session_.Load("9", file, [](int64_t, int64_t) { return true; });
    EXPECT_EQ(Buffer(), Ramp(9, 5.0));
}

// Reconstruct and a second Decompose empty the view plot but keep the view
// they no longer show: a load that ends without a signal must not bring it
// back.
TEST_F(FailedLoadTest, AnEmptiedViewPlotStaysEmpty) {
    const std::string missing = folder_.PathOf("missing.dat");
    const std::string file = WriteSamples(Ramp(9, 5.0), "new.dat");
    for (const bool reconstruct : {false, true}) {
        SCOPED_TRACE(reconstruct ? "Reconstruct" : "Decompose");
        if (reconstruct) {
            session_.Reconstruct();
        } else {
            session_.Decompose(1);
        }
        ASSERT_TRUE(view_.points.empty());
        log_.clear();
        ExpectFailedLoad(missing, "Cannot open file \"" + missing + "\": No such file or directory");
        ExpectCancelledLoad(file);
    }
}

TEST_F(FailedLoadTest, OneNumberIsEnoughToLoad) {
    session_.Load("5", folder_.Write("one.dat", "2.5\ntime\n"));
    EXPECT_EQ(Buffer(), (std::vector<double>{2.5, 0, 0, 0, 0}));
    EXPECT_EQ(session_.Levels(), -1);
    ASSERT_EQ(controls_.warnings.size(), 1u);
    EXPECT_NE(controls_.warnings[0].find("1 of 5 samples were read"), std::string::npos) << controls_.warnings[0];
}

}  // namespace
}  // namespace analysis::test
