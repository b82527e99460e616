// Recipes in the window: a session driven as the user would, saved as a
// recipe, replays in the batch command to the same files and buffer bit for
// bit, and a batch recipe replays in the window as identical.

#include <filesystem>
#include <sstream>

#include <QSpinBox>
#include <QStatusBar>

#include "ImportDialogAnswer.h"
#include "WindowFixture.h"
#include "batch/BatchCommand.h"
#include "recipe/PictureRecipe.h"
#include "recipe/RecipeJson.h"

namespace {

using ui::WindowCommand;

class RecipeWindowTest : public WindowTest {
protected:
    int Batch(const std::vector<std::string>& arguments) {
        std::ostringstream out;
        const int code = batch::RunBatchCommand(arguments, out, errors);
        return code;
    }
    std::string Status() const { return form->statusBar()->currentMessage().toStdString(); }
    void Save(WindowCommand command, const std::string& file) {
        dialogs.AnswerSaveWith(file);
        Choose(command);
    }
    // 1025 samples loaded and decomposed over five levels, the panel shown.
    void LoadAndDecompose() {
        TypeInto("EdtN", "1025");
        dialogs.AnswerOpenWith(SamplePath("in.dat", 1025));
        Click("BtnLoad");
        Choose(WindowCommand::DenoisePanel);
        PickItem("CBLev", 4);
        Click("BtnDecomp");
    }
    void Replay(const std::string& recipe) {
        dialogs.AnswerOpenWith(recipe);
        Choose(WindowCommand::ReplayRecipe);
    }

    std::ostringstream errors;
};

TEST_F(RecipeWindowTest, AWindowSessionReplaysInTheBatchBitForBit) {
    LoadAndDecompose();
    for (const auto& [item, threshold] : {std::pair{1, "12.5"}, std::pair{3, "0.3"}}) {
        PickItem("CB1", item);
        TypeInto("EdtThresh", threshold);
        Click("BtnThresh");
    }
    PickItem("DenoiseRule", 1);
    PickItem("DenoiseShrink", 1);
    Click("ApplyAllLevels");
    PickItem("CB1", 5);
    TypeInto("EdtThresh", "40");
    Click("BtnThresh");
    Save(WindowCommand::SaveCoefficients, PathIn("approximation.dat"));
    Choose(WindowCommand::Undo);  // the approximation's thresholding, and the file saved after it
    Save(WindowCommand::SaveCoefficients, PathIn("approximation.dat"));
    Click("BtnReconstr");
    Save(WindowCommand::SaveReconstruction, PathIn("result.dat"));
    Save(WindowCommand::SaveSignal, PathIn("signal.dat"));
    Save(WindowCommand::SaveRecipe, PathIn("recipe.json"));
    for (const char* picture : {"upper.png", "upper.svg", "upper.pdf"}) {
        dialogs.AnswerSaveWith(PathIn(picture));
        Choose(WindowCommand::ExportUpperChart);
    }
    ASSERT_TRUE(dialogs.Boxes.empty()) << dialogs.Boxes.front().Text;

    const recipe::Recipe r = recipe::ReadRecipeFile(PathIn("recipe.json"));
    std::vector<std::string> kinds;
    for (const recipe::Step& step : r.steps) kinds.push_back(recipe::StepName(step.kind));
    EXPECT_EQ(kinds,
              (std::vector<std::string>{"Decompose", "Thresholding", "Thresholding", "ApplyAllLevels", "Reconstruct"}));
    EXPECT_EQ(r.steps[2].threshold, "0.3");
    EXPECT_EQ(r.outputs.size(), 4u);  // the three files and the buffer
    EXPECT_EQ(Batch({"--recipe", PathIn("recipe.json"), "--verify"}), 0) << errors.str();
    for (const char* picture : {"upper.png", "upper.svg", "upper.pdf"}) {
        EXPECT_EQ(Batch({"--recipe", PathIn(picture), "--verify"}), 0) << picture << errors.str();
    }
    std::map<std::string, std::string> saved;
    for (const char* file : {"approximation.dat", "result.dat", "signal.dat"}) {
        saved[file] = ReadBytes(PathIn(file));
        std::filesystem::remove(PathIn(file));
    }
    ASSERT_EQ(Batch({"--recipe", PathIn("recipe.json")}), 0) << errors.str();
    for (const auto& [file, bytes] : saved) EXPECT_EQ(ReadBytes(PathIn(file.c_str())), bytes) << file;
}

// A step over shifts is recorded with them, after a Thresholding the average
// leaves out, and replays as identical in the batch and in the window.
TEST_F(RecipeWindowTest, AShiftedWindowSessionReplaysInTheBatchAndInTheWindow) {
    LoadAndDecompose();
    PickItem("CB1", 1);
    TypeInto("EdtThresh", "12.5");
    Click("BtnThresh");
    PickItem("DenoiseRule", 2);
    Control<QSpinBox>("DenoiseShifts").setValue(5);
    Click("ApplyAllLevels");
    Save(WindowCommand::SaveCoefficients, PathIn("level2.dat"));
    Click("BtnReconstr");
    Save(WindowCommand::SaveReconstruction, PathIn("result.dat"));
    Save(WindowCommand::SaveRecipe, PathIn("recipe.json"));
    ASSERT_TRUE(dialogs.Boxes.empty()) << dialogs.Boxes.front().Text;

    const recipe::Recipe r = recipe::ReadRecipeFile(PathIn("recipe.json"));
    ASSERT_EQ(r.steps.size(), 4u);
    EXPECT_EQ(r.steps[2].shifts, 5);
    EXPECT_EQ(Batch({"--recipe", PathIn("recipe.json"), "--verify"}), 0) << errors.str();
    const std::vector<double> buffer = Buffer();
    Replay(PathIn("recipe.json"));
    EXPECT_EQ(Status(), "Replayed recipe.json: identical");
    EXPECT_EQ(Buffer(), buffer);
    EXPECT_EQ(form->Recorder().Steps(), r.steps);
}

TEST_F(RecipeWindowTest, AnImportReplaysInTheBatchAndInTheWindow) {
    // 12 samples on a grid of 17: the saves hold the 12, the buffer the 17.
    // A gap in the chosen column, filled by the import and by its replays.
    std::string table = ReadBytes(std::string(QUELMAR_IMPORT_FILES) + "/header_two_columns.csv");
    table.replace(table.find("\n2,") + 1, 1, "");
    const std::string withGap = PathIn("gap.csv");
    std::ofstream(withGap) << table;
    dialogs.AnswerOpenWith(withGap);
    {
        const ImportDialogAnswer answer(*form, true, [](ui::ImportDialog& d) {
            ImportDialogAnswer::Pick(d, "ImportColumn", 0);
            ImportDialogAnswer::Pick(d, "ImportGaps", 1);
            ImportDialogAnswer::Pick(d, "ImportExtension", 1);
        });
        Choose(WindowCommand::ImportData);
        ASSERT_EQ(answer.shown, 1);
    }
    PickItem("CBLev", 2);
    Click("BtnDecomp");
    PickItem("CB1", 1);
    TypeInto("EdtThresh", "0.5");
    Click("BtnThresh");
    Click("BtnReconstr");
    Save(WindowCommand::SaveReconstruction, PathIn("result.dat"));
    Save(WindowCommand::SaveSignal, PathIn("signal.dat"));
    Save(WindowCommand::SaveRecipe, PathIn("recipe.json"));
    ASSERT_TRUE(dialogs.Boxes.empty()) << dialogs.Boxes.front().Text;

    const recipe::Recipe r = recipe::ReadRecipeFile(PathIn("recipe.json"));
    EXPECT_EQ(r.input.import.at("format"), "text");
    EXPECT_EQ(r.input.import.at("extend"), "repeat");
    EXPECT_EQ(r.input.import.at("gaps"), "fill");
    EXPECT_EQ(r.count, "17");
    EXPECT_EQ(Batch({"--recipe", PathIn("recipe.json"), "--verify"}), 0) << errors.str();
    std::map<std::string, std::string> saved;
    for (const char* file : {"result.dat", "signal.dat"}) {
        saved[file] = ReadBytes(PathIn(file));
        std::filesystem::remove(PathIn(file));
    }
    ASSERT_EQ(Batch({"--recipe", PathIn("recipe.json")}), 0) << errors.str();
    for (const auto& [file, bytes] : saved) EXPECT_EQ(ReadBytes(PathIn(file.c_str())), bytes) << file;

    LoadSignal();
    Replay(PathIn("recipe.json"));
    EXPECT_EQ(Status(), "Replayed recipe.json: identical");
    EXPECT_EQ(form->Session().SignalSamples(), 12);
    EXPECT_EQ(form->Recorder().Steps(), r.steps);
    EXPECT_TRUE(dialogs.Boxes.empty());
}

// Saved with Save Whole Grid, an import's signal holds the made-up samples
// too; the recipe says so, or its replay finds the file different.
TEST_F(RecipeWindowTest, AnImportsWholeGridSaveReplaysAsIdentical) {
    dialogs.AnswerOpenWith(std::string(QUELMAR_IMPORT_FILES) + "/header_two_columns.csv");
    {
        const ImportDialogAnswer answer(*form, true);
        Choose(WindowCommand::ImportData);
        ASSERT_EQ(answer.shown, 1);
    }
    Choose(WindowCommand::SaveWholeGrid);
    Save(WindowCommand::SaveSignal, PathIn("signal.dat"));
    Save(WindowCommand::SaveRecipe, PathIn("recipe.json"));
    ASSERT_TRUE(dialogs.Boxes.empty()) << dialogs.Boxes.front().Text;
    const std::string saved = ReadBytes(PathIn("signal.dat"));
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 17);
    EXPECT_EQ(Batch({"--recipe", PathIn("recipe.json"), "--verify"}), 0) << errors.str();
    std::filesystem::remove(PathIn("signal.dat"));
    ASSERT_EQ(Batch({"--recipe", PathIn("recipe.json")}), 0) << errors.str();
    EXPECT_EQ(ReadBytes(PathIn("signal.dat")), saved);
    Replay(PathIn("recipe.json"));
    EXPECT_EQ(Status(), "Replayed recipe.json: identical");
}

TEST_F(RecipeWindowTest, ABatchRecipeReplaysInTheWindowAsIdentical) {
    const std::string input = SamplePath("in.dat", 1025);
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"--levels", "4", "--threshold", "2=7.5", "--threshold", "5=1"},
          std::vector<std::string>{"--rule", "bayes", "--shrink", "soft", "--shifts", "1"},
          std::vector<std::string>{"--rule", "sure", "--shrink", "soft", "--shifts", "4", "--threshold", "2=7.5",
                                   "--coefficients", PathIn("c")},
          std::vector<std::string>{"--auto"}}) {
        std::vector<std::string> arguments = options;
        arguments.insert(arguments.end(), {"--save-recipe", PathIn("r.json"), input, PathIn("out.dat")});
        ASSERT_EQ(Batch(arguments), 0) << errors.str();
        Replay(PathIn("r.json"));
        EXPECT_EQ(Status(), "Replayed r.json: identical");
        EXPECT_EQ(form->Recorder().Steps(), recipe::ReadRecipeFile(PathIn("r.json")).steps);
    }
    EXPECT_TRUE(dialogs.Boxes.empty());
}

TEST_F(RecipeWindowTest, AChangedInputIsAskedAboutAndABadRecipeChangesNothing) {
    const std::string input = SamplePath("in.dat", 1025);
    ASSERT_EQ(Batch({"--levels", "3", "--threshold", "2=7.5", "--coefficients", PathIn("c"), "--save-recipe",
                     PathIn("r.json"), input, PathIn("out.dat")}),
              0)
        << errors.str();
    WriteSampleFile(input, TestSignal(1000));
    LoadSignal();
    const WindowState before = State();
    dialogs.AnswerQuestionWith(false);
    Replay(PathIn("r.json"));
    EXPECT_EQ(State(), before);
    ASSERT_EQ(dialogs.Log.back().rfind("ask test_ui: The recipe's input has changed: the input \"" + input, 0), 0u);

    dialogs.AnswerQuestionWith(true);
    Replay(PathIn("r.json"));
    EXPECT_EQ(Status(), "Replayed r.json: step 2 (Thresholding Level 2) differs from the recipe");

    LoadSignal();
    const WindowState loaded = State();
    const struct {
        const char* json;
        const char* message;
    } bad[] = {
        {R"({"version": 1})", "program: missing"},
        {"not json", "recipe: "},
    };
    for (const auto& [json, message] : bad) {
        std::ofstream(PathIn("bad.json")) << json;
        Replay(PathIn("bad.json"));
        ASSERT_FALSE(dialogs.Boxes.empty());
        EXPECT_NE(dialogs.Boxes.back().Text.find("Cannot replay \"" + PathIn("bad.json") + "\": " + message),
                  std::string::npos)
            << dialogs.Boxes.back().Text;
        EXPECT_EQ(State(), loaded);
    }
    ASSERT_EQ(Batch({"--auto", "--levels", "3", "--threshold", "4=1", "--save-recipe", PathIn("r.json"), input,
                     PathIn("out.dat")}),
              0)
        << errors.str();
    Replay(PathIn("r.json"));
    EXPECT_NE(dialogs.Boxes.back().Text.find("thresholds the approximation"), std::string::npos);
    EXPECT_EQ(State(), loaded);
}

}  // namespace
