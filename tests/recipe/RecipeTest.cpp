#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "TempFolder.h"
#include "framework/core/Conversions.h"
#include "recipe/PictureRecipe.h"
#include "recipe/RecipeJson.h"
#include "recipe/Sha256.h"

namespace recipe {
namespace {

using Json = nlohmann::json;

const std::string kHash(64, 'a');

// A recipe with every kind of step and output, and thresholds whose texts
// are hard to keep: the smallest subnormal, a tenth, a large exponent.
Recipe FullRecipe() {
    Recipe r;
    r.program = ProgramVersion();
    r.input = {"signal.dat", 4104, kHash, {{"column", "2"}}};
    r.count = "513";
    Step apply;
    apply.kind = StepKind::ApplyAllLevels;
    apply.rule = "sure";
    apply.shrink = "soft";
    apply.shifts = 16;
    apply.thresholds = {0.1, 5e-324, 1.7976931348623157e308, 0, 1, 2, 3, 4, 5};
    apply.given = {2, 9};
    apply.approximation = 0.30000000000000004;
    r.steps = {DecomposeStep(3),  ThresholdingStep(2, "0.1"), ThresholdingStep(4, "5e-324"),
               ReconstructStep(), DecomposeStep(9),           apply,
               ReconstructStep()};
    r.outputs = {{OutputKind::Coefficients, "level_2.dat", 2, 3, kHash},
                 {OutputKind::Result, "out.dat", 0, 4, kHash, true},
                 {OutputKind::Buffer, "", 0, 7, std::string(64, '0')}};
    return r;
}

TEST(Sha256, KnownDigestsAndFilesHashedAsTheirBytes) {
    EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    analysis::test::TempFolder folder;
    // Longer than the reading block, so the pieces are joined.
    std::string bytes(3 << 19, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7919 >> 3);
    const FileDigest digest = DigestFile(folder.Write("big.bin", bytes));
    EXPECT_EQ(digest.size, bytes.size());
    EXPECT_EQ(digest.sha256, Sha256Hex(bytes));
    EXPECT_THROW(DigestFile(folder.PathOf("missing")), fw::Exception);
    EXPECT_TRUE(IsSha256Hex(digest.sha256));
    EXPECT_FALSE(IsSha256Hex(std::string(63, 'a')));
    EXPECT_FALSE(IsSha256Hex(std::string(64, 'A')));
}

TEST(RecipeJson, WritesAndReadsBackEveryField) {
    const Recipe recipe = FullRecipe();
    const std::string text = WriteRecipe(recipe);
    EXPECT_EQ(ReadRecipe(text), recipe);
    EXPECT_EQ(WriteRecipe(ReadRecipe(text)), text);
}

TEST(RecipeJson, ThresholdTextReadsBackToTheSameDouble) {
    for (const double t : {0.1, 5e-324, 1.7976931348623157e308, 123456.789, 1e-7}) {
        EXPECT_EQ(fw::StrToDouble(ThresholdText(t), fw::FormatSettings()), t);
    }
    const fw::FormatSettings saved = fw::DefaultFormatSettings();
    fw::DefaultFormatSettings().DecimalSeparator = ',';
    EXPECT_EQ(SessionThresholdText("2.5e-3"), "2,5e-3");
    fw::DefaultFormatSettings() = saved;
}

// Each change to a good recipe and the start of the message it must give.
struct BadCase {
    const char* name;
    void (*change)(Json&);
    const char* message;
};

TEST(RecipeJson, EveryRequiredFieldIsNamedWhenMissing) {
    const Json good = Json::parse(WriteRecipe(FullRecipe()));
    std::vector<std::string> pointers = {"/version", "/program",    "/input",      "/count",       "/steps",
                                         "/outputs", "/input/file", "/input/size", "/input/sha256"};
    for (const char* field : {"step", "levels"}) pointers.push_back(std::string("/steps/0/") + field);
    for (const char* field : {"item", "threshold"}) pointers.push_back(std::string("/steps/1/") + field);
    for (const char* field : {"rule", "shrink", "shifts", "thresholds"}) {
        pointers.push_back(std::string("/steps/5/") + field);
    }
    for (const char* field : {"output", "file", "item", "after", "sha256"}) {
        pointers.push_back(std::string("/outputs/0/") + field);
    }
    for (const std::string& pointer : pointers) {
        Json bad = good;
        const Json::json_pointer at(pointer);
        bad[at.parent_pointer()].erase(at.back());
        std::string field = pointer.substr(1);
        for (std::size_t slash; (slash = field.find('/')) != std::string::npos;) {
            const std::string part = field.substr(slash + 1, field.find('/', slash + 1) - slash - 1);
            const bool index = part.find_first_not_of("0123456789") == std::string::npos;
            field.replace(slash, part.size() + 1, index ? "[" + part + "]" : "." + part);
        }
        try {
            ReadRecipe(bad.dump());
            ADD_FAILURE() << pointer << " removed was accepted";
        } catch (const RecipeError& error) {
            EXPECT_EQ(error.Message(), field + ": missing") << pointer;
        }
    }
}

TEST(RecipeJson, BadValuesGiveAMessageNamingTheField) {
    // clang-format off
    const BadCase cases[] = {
        {"future version", [](Json& j) { j["version"] = 2; }, "version: 2 is not a recipe version"},
        {"version text", [](Json& j) { j["version"] = "1"; }, "version: not a whole number"},
        {"size negative", [](Json& j) { j["input"]["size"] = -1; }, "input.size: -1 is not from 0"},
        {"hash short", [](Json& j) { j["input"]["sha256"] = "abc"; }, "input.sha256: not 64"},
        {"import number", [](Json& j) { j["input"]["import"]["column"] = 2; }, "input.import.column: not a text"},
        {"count text", [](Json& j) { j["count"] = "abc"; }, "count: 'abc' is not a valid integer value"},
        {"steps object", [](Json& j) { j["steps"] = Json::object(); }, "steps: not a list"},
        {"step unknown", [](Json& j) { j["steps"][3]["step"] = "Undo"; }, "steps[3].step: 'Undo' is not"},
        {"levels beyond J", [](Json& j) { j["steps"][0]["levels"] = 10; }, "steps[0].levels: 10 is not from 1 to 9"},
        {"levels fraction", [](Json& j) { j["steps"][0]["levels"] = 2.5; }, "steps[0].levels: not a whole number"},
        {"levels huge", [](Json& j) { j["steps"][0]["levels"] = 18446744073709551615u; }, "steps[0].levels: 18446744073709551615 is not"},
        {"item beyond", [](Json& j) { j["steps"][1]["item"] = 5; }, "steps[1].item: 5 is not a view item from 1 to 4"},
        {"threshold text", [](Json& j) { j["steps"][1]["threshold"] = "1,5"; }, "steps[1].threshold: '1,5' is not a valid floating point value"},
        {"threshold number", [](Json& j) { j["steps"][1]["threshold"] = 0.5; }, "steps[1].threshold: not a text"},
        {"threshold overflow", [](Json& j) { j["steps"][1]["threshold"] = "1e999"; }, "steps[1].threshold: Floating point overflow"},
        {"threshold before decompose", [](Json& j) { j["steps"].erase(0); }, "steps[0]: Thresholding needs a decomposition"},
        {"after reconstruct", [](Json& j) { j["steps"][3] = j["steps"][1]; j["steps"][1] = {{"step", "Reconstruct"}}; }, "steps[2]: Thresholding needs a decomposition"},
        {"apply not framed", [](Json& j) { j["steps"].erase(6); }, "steps[5]: ApplyAllLevels must come right after"},
        {"rule unknown", [](Json& j) { j["steps"][5]["rule"] = "best"; }, "steps[5].rule: 'best' is not a rule"},
        {"shrink unknown", [](Json& j) { j["steps"][5]["shrink"] = "medium"; }, "steps[5].shrink: 'medium' is not hard or soft"},
        {"shifts beyond", [](Json& j) { j["steps"][5]["shifts"] = 257; }, "steps[5].shifts: 257 is not from 1 to 256"},
        {"thresholds short", [](Json& j) { j["steps"][5]["thresholds"].erase(0); }, "steps[5].thresholds: 8 thresholds for 9 levels"},
        {"threshold null", [](Json& j) { j["steps"][5]["thresholds"][3] = nullptr; }, "steps[5].thresholds[3]: not a number"},
        {"threshold string", [](Json& j) { j["steps"][5]["thresholds"][0] = "1"; }, "steps[5].thresholds[0]: not a number"},
        {"soft negative", [](Json& j) { j["steps"][5]["thresholds"][1] = -1; }, "steps[5].thresholds[1]: soft shrinkage needs"},
        {"given twice", [](Json& j) { j["steps"][5]["given"] = {2, 2}; }, "steps[5].given[1]: view items must rise"},
        {"approximation text", [](Json& j) { j["steps"][5]["approximation"] = "x"; }, "steps[5].approximation: not a number"},
        {"output unknown", [](Json& j) { j["outputs"][0]["output"] = "picture"; }, "outputs[0].output: 'picture' is not"},
        {"after beyond", [](Json& j) { j["outputs"][2]["after"] = 8; }, "outputs[2].after: 8 is more than the 7 steps"},
        {"result early", [](Json& j) { j["outputs"][1]["after"] = 3; }, "outputs[1]: a result needs a Reconstruct"},
        {"coefficients late", [](Json& j) { j["outputs"][0]["after"] = 4; }, "outputs[0]: coefficients need a decomposition"},
        {"coefficients item", [](Json& j) { j["outputs"][0]["item"] = 5; }, "outputs[0].item: 5 is not a view item"},
        {"output hash", [](Json& j) { j["outputs"][2]["sha256"] = 7; }, "outputs[2].sha256: not a text"},
        {"whole grid number", [](Json& j) { j["outputs"][1]["whole_grid"] = 1; }, "outputs[1].whole_grid: not true or false"},
        {"not an object", [](Json& j) { j = Json::array(); }, "recipe: not a JSON object"},
    };
    // clang-format on
    const Json good = Json::parse(WriteRecipe(FullRecipe()));
    for (const BadCase& bad : cases) {
        Json changed = good;
        bad.change(changed);
        try {
            ReadRecipe(changed.dump());
            ADD_FAILURE() << bad.name << " was accepted";
        } catch (const RecipeError& error) {
            EXPECT_EQ(error.Message().rfind(bad.message, 0), 0u) << bad.name << ": " << error.Message();
        }
    }
    EXPECT_THROW(ReadRecipe("{\"version\": 1,"), RecipeError);
    EXPECT_THROW(ReadRecipe("{\"version\": 1e999}"), RecipeError);
}

TEST(RecipeJson, SavedOnlyWhenItIsAGoodRecipe) {
    analysis::test::TempFolder folder;
    const std::string name = folder.Write("r.json", "old");
    Recipe bad = FullRecipe();
    bad.steps.erase(bad.steps.begin());
    EXPECT_THROW(SaveRecipe(name, bad), RecipeError);
    bad = FullRecipe();
    bad.input.name = "\xff.dat";
    EXPECT_THROW(SaveRecipe(name, bad), RecipeError);
    std::ifstream old(name);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "old");
}

}  // namespace
}  // namespace recipe

namespace recipe {
namespace {

// Texts with what markup must escape, and bytes a chunk must keep.
TEST(PictureRecipe, PicturesGiveBackTheTextTheyCarry) {
    const std::string png = std::string("\x89PNG\r\n\x1a\n", 8) + std::string("\0\0\0\0IEND\xae\x42\x60\x82", 12);
    const std::string svg = "<?xml version=\"1.0\"?>\n<svg width=\"10\" height=\"10\">\n<g/></svg>\n";
    for (const std::string& text : {std::string("{\"a\": \"<&amp;>\"}"), std::string("\xc3\xa9\n\0x", 5)}) {
        const std::string inPng = EmbedInPng(png, text);
        EXPECT_EQ(RecipeTextInPicture(inPng), text);
        EXPECT_EQ(inPng.substr(inPng.size() - 12), png.substr(8));
        EXPECT_EQ(RecipeTextInPicture(EmbedInSvg(svg, text)), text);
        EXPECT_EQ(RecipeTextInPicture("%PDF-1.4\n" + XmpPacket(text) + "\n%%EOF"), text);
    }
    // The chunk's CRC, as any PNG reader checks it: "iTXt" + data.
    const std::string inPng = EmbedInPng(png, "x");
    EXPECT_EQ(inPng.substr(inPng.size() - 12 - 4 - 24, 4), "iTXt");
    EXPECT_EQ(inPng.substr(inPng.size() - 12 - 4, 4), std::string("\xf9\x9b\xe9\x8c", 4));
    EXPECT_EQ(RecipeTextInPicture("{\"version\": 1}"), std::nullopt);
    EXPECT_THROW(RecipeTextInPicture(png), RecipeError);
    EXPECT_THROW(RecipeTextInPicture(svg), RecipeError);
    EXPECT_THROW(EmbedInPng("not a png", "x"), RecipeError);
}

}  // namespace
}  // namespace recipe
