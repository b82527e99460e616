// The number texts follow FormatSettings alone, whatever decimal point the C
// library's own locale uses (the program takes the user's locale at start-up,
// and in many regions that point is a ",").

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "framework/core/Conversions.h"
#include "framework/core/FormatFloat.h"

namespace {

// Builds a German locale into the build folder (the machine may have none
// installed) and switches LC_NUMERIC to it for the test's lifetime.
class CommaLocale {
public:
    CommaLocale() {
        const std::string dir = std::string(QUELMAR_BINARY_DIR) + "/locales";
        std::filesystem::create_directories(dir);
        const std::string command = "localedef -i de_DE -f UTF-8 '" + dir + "/de_DE.UTF-8' > /dev/null 2>&1";
        if (!std::filesystem::exists(dir + "/de_DE.UTF-8")) (void)std::system(command.c_str());
        setenv("LOCPATH", dir.c_str(), 1);
        previous_ = std::setlocale(LC_NUMERIC, nullptr);
        active_ = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    }
    ~CommaLocale() {
        std::setlocale(LC_NUMERIC, previous_.c_str());
        unsetenv("LOCPATH");
    }
    bool Active() const { return active_; }

private:
    std::string previous_;
    bool active_ = false;
};

TEST(CLibraryLocale, CommaPointOfTheCLibraryDoesNotLeakIntoNumberTexts) {
    CommaLocale locale;
    ASSERT_TRUE(locale.Active()) << "localedef (Debian package locales) could not build de_DE.UTF-8";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    ASSERT_EQ(std::string(probe), "0,5") << "the C library is not using the comma locale";

    fw::FormatSettings dot;
    EXPECT_EQ(fw::FloatToStrF(1.0L, fw::ffFixed, 5, 2, dot), "1.00");
    EXPECT_EQ(fw::FloatToStrF(0.785398L, fw::ffFixed, 5, 2, dot), "0.79");
    EXPECT_EQ(fw::FloatToStrF(123456.7L, fw::ffFixed, 5, 2, dot), "1.2346E5");
    EXPECT_EQ(fw::FormatFloat("#,##0.###", 0.5L, dot), "0.5");
    EXPECT_EQ(fw::FormatFloat("#,##0.###", 1234.5L, dot), "1,234.5");
}

}  // namespace
