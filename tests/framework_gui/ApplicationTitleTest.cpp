#include "framework/gui/window/ApplicationTitle.h"

#include <gtest/gtest.h>

namespace {

TEST(ApplicationTitle, NameWithoutFolderCutAtFirstDotRestLowerCased) {
    EXPECT_EQ(fw::ApplicationTitleFromProgramPath("quelmar.exe"), "quelmar");
    EXPECT_EQ(fw::ApplicationTitleFromProgramPath("/x/y/MY.PROG.bin"), "My");
    EXPECT_EQ(fw::ApplicationTitleFromProgramPath("/opt/tool/Quelmar"), "Quelmar");
    EXPECT_EQ(fw::ApplicationTitleFromProgramPath("wAVE_Tool"), "wave_tool");
}

TEST(ApplicationTitle, DotsInTheFolderDoNotCut) {
    EXPECT_EQ(fw::ApplicationTitleFromProgramPath("/home/a.b/c.d/prog"), "prog");
}

TEST(ApplicationTitle, DegenerateNames) {
    EXPECT_EQ(fw::ApplicationTitleFromProgramPath(""), "");
    EXPECT_EQ(fw::ApplicationTitleFromProgramPath("/x/.hidden"), "");
    EXPECT_EQ(fw::ApplicationTitleFromProgramPath("/x/y/"), "");
}

TEST(ApplicationTitle, CaseChangesCoverNonAsciiLetters) {
    EXPECT_EQ(fw::ApplicationTitleFromProgramPath("/x/\xC3\x89TUDE.bin"), "\xC3\x89tude");
}

TEST(ApplicationTitle, RunningProgramUsesItsOwnFileName) { EXPECT_EQ(fw::ApplicationTitle(), "test_framework_gui"); }

}  // namespace
