#include "framework/gui/window/EventDispatch.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <vector>

#include "framework/core/Exceptions.h"

namespace {

struct Box {
    std::string Caption;
    std::string Text;
    fw::MessageBoxIcon Icon;
};

class RecordingDialogs : public fw::DialogService {
public:
    bool ExecuteOpen(const std::string&, std::string&) override { return false; }
    bool ExecuteSave(const std::string&, std::string&, int&) override { return false; }
    bool ExecutePrint(fw::TPrinter&) override { return false; }
    void ShowMessageBox(const std::string& caption, const std::string& text, fw::MessageBoxIcon icon) override {
        Boxes.push_back({caption, text, icon});
    }
    std::vector<Box> Boxes;
};

// The test program is test_framework_gui, so every box is captioned so.
constexpr const char* kTitle = "test_framework_gui";

TEST(ErrorBoxText, AppendsAFullStopOnlyAfterCharactersAboveIt) {
    EXPECT_EQ(fw::ErrorBoxText(""), "");
    EXPECT_EQ(fw::ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(fw::ErrorBoxText("Stop!"), "Stop!");
    EXPECT_EQ(fw::ErrorBoxText("one, two,"), "one, two,");  // ',' lies below '.'
    EXPECT_EQ(fw::ErrorBoxText("a/b/"), "a/b/.");           // '/' is the next code after '.'
    EXPECT_EQ(fw::ErrorBoxText("value 7"), "value 7.");
    EXPECT_EQ(fw::ErrorBoxText("'abc' is not a valid integer value"), "'abc' is not a valid integer value.");
    EXPECT_EQ(fw::ErrorBoxText("caf\xC3\xA9"), "caf\xC3\xA9.");
}

TEST(RunHandler, ShowsFrameworkErrorsWithStopIconUnderTheApplicationTitle) {
    RecordingDialogs dialogs;
    bool ranBeforeError = false;
    fw::RunHandler(dialogs, [&] {
        ranBeforeError = true;
        throw fw::EConvertError("'abc' is not a valid integer value");
    });
    EXPECT_TRUE(ranBeforeError);
    ASSERT_EQ(dialogs.Boxes.size(), 1u);
    EXPECT_EQ(dialogs.Boxes[0].Caption, kTitle);
    EXPECT_EQ(dialogs.Boxes[0].Text, "'abc' is not a valid integer value.");
    EXPECT_EQ(dialogs.Boxes[0].Icon, fw::MessageBoxIcon::Stop);
}

TEST(RunHandler, AbortIsSilentAlsoForItsDescendants) {
    class EMyAbort : public fw::EAbort {
    public:
        EMyAbort() : fw::EAbort("custom abort") {}
    };
    RecordingDialogs dialogs;
    fw::RunHandler(dialogs, [] { throw fw::EAbort(); });
    fw::RunHandler(dialogs, [] { throw EMyAbort(); });
    EXPECT_TRUE(dialogs.Boxes.empty());
}

TEST(RunHandler, NothingShownWhenTheHandlerSucceeds) {
    RecordingDialogs dialogs;
    int calls = 0;
    fw::RunHandler(dialogs, [&] { ++calls; });
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(dialogs.Boxes.empty());
}

TEST(RunHandler, ForeignErrorsAreShownInsteadOfEscaping) {
    RecordingDialogs dialogs;
    fw::RunHandler(dialogs, [] { throw std::bad_alloc(); });
    fw::RunHandler(dialogs, [] { throw std::runtime_error("disk on fire"); });
    fw::RunHandler(dialogs, [] { throw fw::EOverflow(); });
    fw::RunHandler(dialogs, [] { throw 42; });
    ASSERT_EQ(dialogs.Boxes.size(), 4u);
    EXPECT_EQ(dialogs.Boxes[0].Text, "Out of memory.");
    EXPECT_EQ(dialogs.Boxes[1].Text, "disk on fire.");
    EXPECT_EQ(dialogs.Boxes[2].Text, "Floating point overflow.");
    EXPECT_FALSE(dialogs.Boxes[3].Text.empty());
    for (const Box& box : dialogs.Boxes) {
        EXPECT_EQ(box.Caption, kTitle);
        EXPECT_EQ(box.Icon, fw::MessageBoxIcon::Stop);
    }
}

TEST(ShowError, EmptyMessageStaysEmpty) {
    RecordingDialogs dialogs;
    fw::ShowError(dialogs, std::make_exception_ptr(fw::Exception("")));
    ASSERT_EQ(dialogs.Boxes.size(), 1u);
    EXPECT_EQ(dialogs.Boxes[0].Text, "");
}

}  // namespace
