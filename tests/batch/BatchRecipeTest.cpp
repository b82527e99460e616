// --save-recipe, --recipe and --verify: a recorded run replays to the same
// bytes, a difference is named, and a bad recipe writes nothing.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <sys/stat.h>

#include "BatchTestRun.h"
#include "batch/BatchRun.h"
#include "recipe/RecipeJson.h"
#include "TempFolder.h"

namespace batch {
namespace {

using analysis::test::TempFolder;
using namespace batch::test;
using Json = nlohmann::ordered_json;

// Every file under folder with its bytes.
std::map<std::string, std::string> Files(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const std::string& name : Entries(folder)) {
        const std::string path = folder + "/" + name;
        if (std::filesystem::is_regular_file(path)) files[name] = ReadAll(path);
    }
    return files;
}

// A run that records its recipe in folder/recipe.json and its files under folder/out.
struct RecordedRun {
    TempFolder folder;
    std::string input = folder.Write("in.dat", ReadAll(SampleFile("doppler_noisy_513.dat")));
    std::string recipe = folder.PathOf("recipe.json");
    std::string out = folder.PathOf("out");

    Outcome Record(std::vector<std::string> options) {
        std::filesystem::create_directories(out);
        options.insert(options.end(), {"--coefficients", out + "/c", "--save-recipe", recipe, input, out + "/r.dat"});
        return RunCommand(options);
    }
    void Edit(void (*change)(Json&)) {
        Json json = Json::parse(ReadAll(recipe));
        change(json);
        folder.Write("recipe.json", json.dump());
    }
};

// A CSV of 12 samples on a grid of 17, whose result is its 12.
std::string ImportedCsv(TempFolder& folder) {
    return folder.Write("in.csv",
                        ReadAll(std::string(QUELMAR_SOURCE_DIR) + "/tests/import/files/header_two_columns.csv"));
}

TEST(BatchRecipe, ReplayWritesTheRecordedFilesBitForBit) {
    const std::vector<std::vector<std::string>> cases = {
        {"--levels", "3", "--threshold", "2=0.5", "--threshold", "4=1e-3"},
        {"--auto"},
        {"--rule", "sure", "--shrink", "soft", "--shifts", "3", "--threshold", "3=0.25", "--threshold", "10=0.5"},
        {"--threshold", "0.4", "--shrink", "soft", "--shifts", "2", "--levels", "5"},
        // Imports ("csv"): the choices, and every choice left open.
        {"csv", "--column", "time", "--delimiter", ",", "--skip-lines", "1", "--extend", "repeat", "--levels", "2",
         "--threshold", "1=0.5"},
        {"csv", "--column", "2", "--extend", "zero", "--shifts", "2", "--threshold", "10"},
        {"csv", "--auto"},
        // Gaps filled: the replay fills them again, to the same samples.
        {"gaps", "--gaps", "fill", "--levels", "2", "--threshold", "1=0.5"},
    };
    for (std::vector<std::string> options : cases) {
        SCOPED_TRACE(::testing::PrintToString(options));
        RecordedRun run;
        if (options[0] == "csv") {
            options.erase(options.begin());
            run.input = ImportedCsv(run.folder);
        }
        if (options[0] == "gaps") {
            options.erase(options.begin());
            run.input = run.folder.Write("gaps.csv", "t,v\n0,\n1,2.5\n2,nan\n3,\n4,-1\n5,7\n6,\n");
        }
        const Outcome recorded = run.Record(options);
        ASSERT_EQ(recorded.code, kExitDone) << recorded.errors;
        const Json import = Json::parse(ReadAll(run.recipe))["input"].value("import", Json::object());
        // The gaps are recorded only away from their default, as older recipes have it.
        EXPECT_EQ(import.value("gaps", ""), options[0] == "--gaps" ? "fill" : "");
        // A replay writes each output under its name in one folder.
        std::map<std::string, std::string> written;
        for (const auto& [name, bytes] : Files(run.out)) written[std::filesystem::path(name).filename()] = bytes;
        ASSERT_GE(written.size(), 4u);
        std::filesystem::remove_all(run.out);

        const Outcome replayed = RunCommand({"--recipe", run.recipe, "--out-dir", run.out});
        ASSERT_EQ(replayed.code, kExitDone) << replayed.errors;
        EXPECT_EQ(Files(run.out), written);
        const Outcome verified = RunCommand({"--recipe", run.recipe, "--verify"});
        EXPECT_EQ(verified.code, kExitDone) << verified.errors;
        EXPECT_NE(verified.errors.find("outputs are identical"), std::string::npos) << verified.errors;
    }
}

TEST(BatchRecipe, VerifyNamesTheFirstDifferenceAndWritesNothing) {
    RecordedRun run;
    ASSERT_EQ(run.Record({"--levels", "3", "--threshold", "2=0.5"}).code, kExitDone);
    std::filesystem::remove_all(run.out);
    run.Edit([](Json& j) { j["outputs"][1]["sha256"] = std::string(64, '0'); });
    Outcome outcome = RunCommand({"--recipe", run.recipe, "--verify"});
    EXPECT_EQ(outcome.code, kExitOutputDiffers);
    EXPECT_NE(outcome.errors.find("--verify: outputs[1] (the coefficients of view item 2 \"" + run.out +
                                  "/c/level_2.dat\" after step 2, Thresholding) differs: the recipe's SHA-256 is 000"),
              std::string::npos)
        << outcome.errors;
    // Another input: the first output already differs.
    const std::string other = run.folder.Write("other.dat", ReadAll(SampleFile("blocks_257.dat")));
    outcome = RunCommand({"--recipe", run.recipe, "--verify", other});
    EXPECT_EQ(outcome.code, kExitOutputDiffers);
    EXPECT_NE(outcome.errors.find("outputs[0]"), std::string::npos) << outcome.errors;
    EXPECT_FALSE(std::filesystem::exists(run.out));
}

TEST(BatchRecipe, BadRecipesAndInputsGiveTheirMessageAndWriteNothing) {
    struct Case {
        const char* name;
        void (*change)(Json&);
        std::vector<std::string> arguments;  // after the program name; "R": the recipe
        int code;
        std::string message;
    };
    const auto none = [](Json&) {};
    // clang-format off
    const std::vector<Case> cases = {
        {"future version", [](Json& j) { j["version"] = 2; }, {"--recipe", "R"}, kExitBadArguments, "version: 2 is not a recipe version"},
        {"missing steps", [](Json& j) { j.erase("steps"); }, {"--recipe", "R"}, kExitBadArguments, "steps: missing"},
        {"wrong type", [](Json& j) { j["count"] = 513; }, {"--recipe", "R"}, kExitBadArguments, "count: not a text"},
        {"out of order", [](Json& j) { std::swap(j["steps"][0], j["steps"][1]); }, {"--recipe", "R"}, kExitBadArguments, "steps[0]: Thresholding needs a decomposition"},
        {"threshold text", [](Json& j) { j["steps"][1]["threshold"] = "half"; }, {"--recipe", "R"}, kExitBadArguments, "steps[1].threshold: 'half' is not a valid floating point value"},
        {"import choice", [](Json& j) { j["input"]["import"] = {{"format", "text"}, {"extend", "mirror"}}; }, {"--recipe", "R"}, kExitBadArguments, "input.import.extend: 'mirror' is not reflect, repeat or zero"},
        {"import grid", [](Json& j) { j["input"]["import"] = {{"format", "text"}}; j["count"] = "1025"; }, {"--recipe", "R"}, kExitUnreadableInput, "count: the import of"},
        {"input hash", [](Json& j) { j["input"]["sha256"] = std::string(64, 'f'); }, {"--recipe", "R"}, kExitUnreadableInput, "is not the recipe's: it has 9652 bytes of SHA-256 142766"},
        {"input missing", [](Json& j) { j["input"]["file"] = "/nonexistent/in.dat"; }, {"--recipe", "R"}, kExitUnreadableInput, "Cannot open file \"/nonexistent/in.dat\""},
        {"output on input", [](Json& j) { j["outputs"][0]["file"] = j["input"]["file"]; }, {"--recipe", "R"}, kExitBadArguments, "is the input"},
        {"not JSON", nullptr, {"--recipe", "R"}, kExitBadArguments, "recipe: not JSON"},
        {"no recipe", none, {"--recipe", "/nonexistent/r.json"}, kExitBadArguments, "Cannot open file \"/nonexistent/r.json\""},
        {"verify alone", none, {"--verify", "in.dat"}, kExitBadArguments, "--verify needs --recipe FILE"},
        {"analysis option", none, {"--recipe", "R", "--levels", "3"}, kExitBadArguments, "--levels is not used with --recipe FILE"},
        {"two inputs", none, {"--recipe", "R", "a.dat", "b.dat"}, kExitBadArguments, "--recipe FILE takes one INPUT"},
        {"many recorded", none, {"--save-recipe", "x.json", "--out-dir", "o", "a.dat", "b.dat"}, kExitBadArguments, "--save-recipe FILE records one input; 2 are given"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordedRun run;
        ASSERT_EQ(run.Record({"--levels", "3", "--threshold", "2=0.5"}).code, kExitDone);
        std::filesystem::remove_all(run.out);
        if (c.change) {
            run.Edit(c.change);
        } else {
            run.folder.Write("recipe.json", "{\"version\": 1,");
        }
        std::vector<std::string> arguments = c.arguments;
        for (std::string& argument : arguments) argument = argument == "R" ? run.recipe : argument;
        const Outcome outcome = RunCommand(arguments);
        EXPECT_EQ(outcome.code, c.code) << outcome.errors;
        EXPECT_NE(outcome.errors.find(c.message), std::string::npos) << outcome.errors;
        EXPECT_FALSE(std::filesystem::exists(run.out));
        EXPECT_EQ(ReadAll(run.input), ReadAll(SampleFile("doppler_noisy_513.dat")));
    }
}

// A recipe from anyone: whatever it names, the replay writes only files
// under their names in the recipe's folder, replaces one only when asked,
// never a link or a pipe, and refuses a recipe that would read or run
// without end.
TEST(BatchRecipe, ARecipeFromAnyoneWritesOnlyInItsFolder) {
    const TempFolder outside("-outside");
    const std::string victim = outside.Write("victim.txt", "keep");
    // outputs[0].file, the arguments after "--recipe R", the exit code, a part
    // of the message, the file written in the folder ("" for none).
    struct Case {
        std::string name;
        std::vector<std::string> arguments;
        int code;
        std::string message, written;
    };
    const std::vector<Case> cases = {
        {"../victim.txt", {}, kExitDone, "", "victim.txt"},
        {victim, {}, kExitDone, "", "victim.txt"},
        {"abs/new/deep/file.dat", {}, kExitDone, "", "file.dat"},
        {"link.dat", {}, kExitBadArguments, "link.dat\" is no regular file", ""},
        {"fifo", {}, kExitBadArguments, "is no regular file", ""},
        {"exists.dat", {}, kExitBadArguments, "exists; --overwrite replaces it", ""},
        {"exists.dat", {"--overwrite"}, kExitDone, "", "exists.dat"},
        {"..", {}, kExitBadArguments, "names no file", ""},
        {std::string("a\0b", 3), {}, kExitBadArguments, "outputs[0].file: holds a NUL character", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordedRun run;
        ASSERT_EQ(run.Record({"--levels", "3", "--threshold", "2=0.5"}).code, kExitDone);
        std::filesystem::remove_all(run.out);
        Json json = Json::parse(ReadAll(run.recipe));
        json["outputs"][0]["file"] = c.name;
        run.folder.Write("recipe.json", json.dump());
        std::filesystem::create_symlink(victim, run.folder.PathOf("link.dat"));
        ASSERT_EQ(::mkfifo(run.folder.PathOf("fifo").c_str(), 0600), 0);
        run.folder.Write("exists.dat", "old");
        std::vector<std::string> arguments{"--recipe", run.recipe};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const Outcome outcome = RunCommand(arguments);
        EXPECT_EQ(outcome.code, c.code) << outcome.errors;
        EXPECT_NE(outcome.errors.find(c.message), std::string::npos) << outcome.errors;
        EXPECT_EQ(ReadAll(victim), "keep");
        EXPECT_EQ(Entries(outside.PathOf(".")), std::vector<std::string>{"victim.txt"});
        EXPECT_FALSE(std::filesystem::exists(run.folder.PathOf("../victim.txt")));
        EXPECT_FALSE(std::filesystem::exists(run.folder.PathOf("abs")));
        EXPECT_TRUE(c.written.empty() || ReadAll(run.folder.PathOf(c.written)).size() > 10) << c.written;
    }
    // A key given twice, and recipes that would never end: their own
    // input a device, or the recipe one.
    RecordedRun run;
    ASSERT_EQ(run.Record({"--levels", "3"}).code, kExitDone);
    std::string text = ReadAll(run.recipe);
    const std::string twice =
        run.folder.Write("twice.json", text.replace(text.find("\"after\""), 7, "\"after\": 0, \"after\""));
    run.Edit([](Json& j) { j["input"]["file"] = "/dev/zero"; });
    for (const auto& [recipe, code, message] :
         {std::tuple{twice, kExitBadArguments, "outputs[0].after: given twice"},
          std::tuple{run.recipe, kExitUnreadableInput, "\"/dev/zero\" is not a regular file"},
          std::tuple{std::string("/dev/zero"), kExitBadArguments, "larger than 16 MiB"}}) {
        const Outcome outcome = RunCommand({"--recipe", recipe});
        EXPECT_EQ(outcome.code, code);
        EXPECT_NE(outcome.errors.find(message), std::string::npos) << outcome.errors;
    }
}

}  // namespace
}  // namespace batch

namespace batch {
namespace {

TEST(BatchRecipe, PicturesCarryTheRecipeAndReplayFromIt) {
    for (const char* format : {"png", "svg", "pdf"}) {
        SCOPED_TRACE(format);
        RecordedRun run;
        // One picture of an import, whose recipe names its choices.
        if (format == std::string("png")) run.input = ImportedCsv(run.folder);
        const std::string picture = run.folder.PathOf(std::string("charts.") + format);
        ASSERT_EQ(run.Record({"--levels", "4", "--threshold", "1=0.5", "--plot", picture}).code, kExitDone);
        EXPECT_EQ(ReadAll(run.recipe), recipe::WriteRecipe(recipe::ReadRecipeFile(picture)));
        const Outcome verified = RunCommand({"--recipe", picture, "--verify"});
        EXPECT_EQ(verified.code, kExitDone) << verified.errors;
    }
}

}  // namespace
}  // namespace batch

namespace batch {
namespace {

// The lines of a text, each without its line end.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// A recipe over many inputs of other lengths runs on each what its options
// run there alone, the rules and --auto's choice made again from it: each
// result and report row is that single run's, bit for bit.
TEST(BatchRecipe, ARecipeOverManyInputsGivesEachWhatItsOptionsGiveThere) {
    const std::vector<std::string> inputs{SampleFile("doppler_noisy_513.dat"), SampleFile("chirp_noisy_1025.dat"),
                                          SampleFile("blocks_257.dat")};
    const std::vector<std::vector<std::string>> cases = {
        {"--auto", "--levels", "6"},
        {"--rule", "sure", "--shifts", "3", "--levels", "5", "--threshold", "2=0.25"},
        {"--rule", "bayes", "--wavelet", "cubic", "--levels", "4"},
        {"--threshold", "0.4", "--shrink", "soft", "--levels", "5"},
    };
    for (const std::vector<std::string>& options : cases) {
        SCOPED_TRACE(::testing::PrintToString(options));
        const TempFolder folder;
        const std::string recipe = folder.PathOf("recipe.json");
        std::vector<std::string> arguments = options;
        arguments.insert(arguments.end(), {"--save-recipe", recipe, "--coefficients", folder.PathOf("c"), inputs[0],
                                           folder.PathOf("own.dat")});
        ASSERT_EQ(RunCommand(arguments).code, kExitDone);
        arguments = {"--recipe", recipe, "--report", folder.PathOf("many.csv"), "--out-dir", folder.PathOf("many")};
        arguments.insert(arguments.end(), inputs.begin(), inputs.end());
        const Outcome many = RunCommand(arguments);
        ASSERT_EQ(many.code, kExitDone) << many.errors;
        EXPECT_NE(many.errors.find("other outputs are written by a run on one input"), std::string::npos);
        std::vector<std::string> rows;
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            const std::string single = folder.PathOf("single" + std::to_string(i));
            arguments = options;
            arguments.insert(arguments.end(), {"--report", single + ".csv", "--out-dir", single, inputs[i]});
            ASSERT_EQ(RunCommand(arguments).code, kExitDone);
            const std::string name = "/" + std::filesystem::path(inputs[i]).filename().string();
            EXPECT_EQ(ReadAll(folder.PathOf("many") + name), ReadAll(single + name)) << name;
            const std::vector<std::string> report = Lines(ReadAll(single + ".csv"));
            if (rows.empty()) rows.push_back(report[0]);
            rows.push_back(report.at(1));
        }
        EXPECT_EQ(Lines(ReadAll(folder.PathOf("many.csv"))), rows);
    }
}

}  // namespace
}  // namespace batch
