// Saving the signal, the reconstruction and the viewed level's coefficients:
// the save dialog's proposals, files that read back bit for bit, and failed
// saves that leave an existing file as it was.

#include <QDir>
#include <bit>
#include <csignal>
#include <cstring>
#include <filesystem>

#include <sys/resource.h>
#include <unistd.h>

#include <QStatusBar>

#include "WindowFixture.h"
#include "analysis/io/SampleReader.h"

namespace {

using ui::WindowCommand;

constexpr const char* kSaveFilter = "Data files (*.dat)|*.dat|Text files (*.txt)|*.txt|Any files (*.*)|*.*";

class SaveTest : public WindowTest {
protected:
    // Loads folder/doppler.dat, decomposes into three levels and views level 1.
    void LoadDoppler() {
        dialogs.AnswerOpenWith(SamplePath("doppler.dat", 513));
        Click("BtnLoad");
        PickItem("CBLev", 2);
        Click("BtnDecomp");
        PickItem("CB1", 0);
    }

    // Saves through command into path and returns the save dialog's log.
    std::vector<std::string> SaveInto(WindowCommand command, const std::string& path, int filterIndex = -1) {
        dialogs.Log.clear();
        dialogs.AnswerSaveWith(path, filterIndex);
        Choose(command);
        return dialogs.Log;
    }

    std::string Proposal(const std::string& path, int filterIndex) const {
        return "save " + path + " [" + std::to_string(filterIndex) + "]";
    }

    // The file read back with the window's reader, as that many samples.
    static std::vector<double> ReadBack(const std::string& path, size_t count) {
        std::vector<double> values(count + 1, -1.0);
        const analysis::ReadResult read =
            analysis::ReadSamples(path, values.data(), static_cast<int32_t>(values.size()));
        EXPECT_EQ(read.stored, static_cast<int32_t>(count)) << path;
        values.resize(count);
        return values;
    }

    static void ExpectSameBits(const std::vector<double>& actual, const std::vector<double>& expected) {
        ASSERT_EQ(actual.size(), expected.size());
        for (size_t i = 0; i < actual.size(); ++i) {
            ASSERT_EQ(std::bit_cast<uint64_t>(actual[i]), std::bit_cast<uint64_t>(expected[i])) << "sample " << i;
        }
    }
};

TEST_F(SaveTest, EachSaveWritesWhatItsChartShowsBitForBit) {
    LoadDoppler();
    TypeInto("EdtThresh", "10");
    Click("BtnThresh");
    const std::string out = PathIn("out");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(out)));
    const struct {
        const char* name;
        std::function<void()> before;
        WindowCommand command;
        std::string proposed;  // what the dialog offers first
        std::function<std::vector<double>()> shown;
    } saves[] = {
        {"thresholded level 1", [] {}, WindowCommand::SaveCoefficients, PathIn("doppler_level_1.dat"),
         [&] { return Series3().YValues(); }},
        {"the signal", [] {}, WindowCommand::SaveSignal, out + "/doppler_signal.dat",
         [&] { return Series1().YValues(); }},
        {"the approximation", [&] { PickItem("CB1", 3); }, WindowCommand::SaveCoefficients,
         out + "/doppler_approximation.dat", [&] { return Series3().YValues(); }},
        {"the reconstruction", [&] { Click("BtnReconstr"); }, WindowCommand::SaveReconstruction,
         out + "/doppler_reconstruction.dat", [&] { return Series2().YValues(); }},
    };
    for (const auto& save : saves) {
        SCOPED_TRACE(save.name);
        save.before();
        const std::vector<double> shown = save.shown();
        ASSERT_FALSE(shown.empty());
        // Every file goes into out/, where the first one went.
        const std::string target = out + "/" + save.name + ".dat";
        EXPECT_EQ(SaveInto(save.command, target), std::vector<std::string>{Proposal(save.proposed, 0)});
        ExpectSameBits(ReadBack(target, shown.size()), shown);
        EXPECT_EQ(form->statusBar()->currentMessage().toStdString(), "Saved \"" + target + "\"");
    }
    EXPECT_EQ(dialogs.SaveFilters, std::vector<std::string>(4, kSaveFilter));
    EXPECT_TRUE(dialogs.Boxes.empty());
}

TEST_F(SaveTest, ANameWithoutExtensionGetsTheChosenTypesAndTheNextProposalKeepsIt) {
    LoadDoppler();
    dialogs.CancelNextSave();
    Choose(WindowCommand::SaveSignal);
    EXPECT_EQ(dialogs.Log.back(), Proposal(PathIn("doppler_signal.dat"), 0));

    EXPECT_EQ(SaveInto(WindowCommand::SaveSignal, PathIn("clean"), 1),
              std::vector<std::string>{Proposal(PathIn("doppler_signal.dat"), 0)});
    ExpectSameBits(ReadBack(PathIn("clean.txt"), 513), Series1().YValues());
    EXPECT_FALSE(std::filesystem::exists(PathIn("clean")));
    EXPECT_EQ(SaveInto(WindowCommand::SaveCoefficients, PathIn("any"), 2),
              std::vector<std::string>{Proposal(PathIn("doppler_level_1.txt"), 1)});
    EXPECT_TRUE(std::filesystem::exists(PathIn("any")));
}

// A target whose save fails, and the system's reason the box gives.
struct FailingTarget {
    const char* name;
    std::string reason;
    std::function<std::string(const std::string& folder)> prepare;  // returns the target path
    std::function<void()> undo = [] {};
};

// Writes beyond this many bytes fail with EFBIG, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        const rlimit limit{bytes, saved_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        // The signal would end the process; the write then fails instead.
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

TEST_F(SaveTest, AFailedSaveShowsTheReasonAndLeavesTheExistingFileAsItWas) {
    LoadDoppler();
    const std::string old = "1\n2\n3\n";
    auto existing = [&](const std::string& folderPath) {
        std::filesystem::create_directories(folderPath);
        const std::string path = folderPath + "/kept.dat";
        std::ofstream(path) << old;
        return path;
    };
    std::unique_ptr<FileSizeLimit> limit;
    std::vector<FailingTarget> targets{
        {"a full disk", std::strerror(EFBIG),
         [&](const std::string& f) {
             const std::string path = existing(f);
             limit = std::make_unique<FileSizeLimit>(1024);
             return path;
         },
         [&] { limit.reset(); }},
        {"a missing folder", std::strerror(ENOENT), [](const std::string& f) { return f + "/gone/x.dat"; }},
        {"a folder in the way", std::strerror(EISDIR),
         [&](const std::string& f) {
             existing(f + "/taken.dat");
             return f + "/taken.dat";
         }},
    };
    // Only where the denial is real: root writes into any folder.
    const std::string probe = PathIn("probe");
    std::filesystem::create_directories(probe);
    std::filesystem::permissions(probe, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (::access(probe.c_str(), W_OK) != 0) {
        targets.push_back({"a folder without write permission", std::strerror(EACCES),
                           [&](const std::string& f) {
                               const std::string path = existing(f);
                               std::filesystem::permissions(
                                   f, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
                               return path;
                           },
                           [] {}});
    }
    std::filesystem::permissions(probe, std::filesystem::perms::owner_all);

    for (const FailingTarget& target : targets) {
        SCOPED_TRACE(target.name);
        const std::string folderPath = PathIn(target.name);
        std::filesystem::create_directories(folderPath);
        const std::string path = target.prepare(folderPath);
        std::vector<std::string> before;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folderPath)) {
            before.push_back(entry.path().string());
        }
        dialogs.Boxes.clear();
        SaveInto(WindowCommand::SaveSignal, path);
        target.undo();
        std::filesystem::permissions(folderPath, std::filesystem::perms::owner_all);

        ASSERT_EQ(dialogs.Boxes.size(), 1u);
        EXPECT_EQ(dialogs.Boxes[0].Caption, kTestTitle);
        EXPECT_EQ(dialogs.Boxes[0].Text, "Cannot save file \"" + path + "\": " + target.reason + ".");
        EXPECT_EQ(dialogs.Boxes[0].Icon, fw::MessageBoxIcon::Stop);
        // Nothing added, nothing replaced: no temporary file is left behind.
        std::vector<std::string> after;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folderPath)) {
            after.push_back(entry.path().string());
        }
        EXPECT_EQ(after, before);
        if (std::filesystem::is_regular_file(path)) {
            EXPECT_EQ(ReadBytes(path), old);
        }
    }
    // The window goes on: the next save succeeds.
    SaveInto(WindowCommand::SaveSignal, PathIn("fine.dat"));
    ExpectSameBits(ReadBack(PathIn("fine.dat"), 513), Series1().YValues());
}

// A save and an export through a link write the file it points to, and the
// link stays; a name as long as the file system takes is written too.
TEST_F(SaveTest, LinksAndLongNamesAreWrittenThrough) {
    LoadDoppler();
    const std::string target = PathIn("target.dat");
    std::filesystem::create_symlink("target.dat", PathIn("link.dat"));
    std::filesystem::create_symlink("picture.png", PathIn("link.png"));
    const std::string longName = PathIn(QString(251, 'n') + ".dat");
    SaveInto(WindowCommand::SaveSignal, PathIn("link.dat"));
    SaveInto(WindowCommand::SaveSignal, longName);
    dialogs.AnswerSaveWith(PathIn("link.png"));
    Choose(WindowCommand::ExportUpperChart);
    for (const std::string& path : {target, longName}) ExpectSameBits(ReadBack(path, 513), Series1().YValues());
    EXPECT_TRUE(std::filesystem::is_symlink(PathIn("link.dat")) && std::filesystem::is_symlink(PathIn("link.png")));
    EXPECT_TRUE(std::filesystem::is_regular_file(PathIn("picture.png")));
}

}  // namespace
