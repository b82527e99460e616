#pragma once
// A folder of its own for each test, removed when the test ends.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace analysis::test {

class TempFolder {
public:
    // suffix tells two folders of one test apart.
    explicit TempFolder(const std::string& suffix = "") {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("quelmar-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + suffix);
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Writes the bytes as they are (no line-end translation) and returns the path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path file = path_ / name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file.string();
    }

    std::string PathOf(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace analysis::test
