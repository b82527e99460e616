#include "recipe/RecipeJson.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <set>
#include <vector>

#include <fcntl.h>

#include <nlohmann/json.hpp>

#include "analysis/io/FileDescriptor.h"
#include "analysis/transform/Wavelet.h"
#include "analysis/io/FileError.h"
#include "framework/core/Conversions.h"
#include "framework/core/FileReplacement.h"
#include "recipe/PictureRecipe.h"

namespace recipe {
namespace {

using Json = nlohmann::ordered_json;

// Reads the fields of one JSON object, each named by its path in messages.
class Fields {
public:
    Fields(const Json& object, std::string path) : object_(object), path_(std::move(path)) {
        if (!object_.is_object()) Fail(Name(), "not a JSON object");
    }

    bool Has(const char* name) const { return object_.contains(name); }

    const Json& At(const char* name) const {
        const auto at = object_.find(name);
        if (at == object_.end()) Fail(Name(name), "missing");
        return *at;
    }

    std::string String(const char* name) const { return TextOf(At(name), Name(name)); }

    // A NUL would cut the text short where the system takes it as a name.
    static std::string TextOf(const Json& value, const std::string& name) {
        if (!value.is_string()) Fail(name, "not a text");
        std::string text = value.get<std::string>();
        if (text.find('\0') != std::string::npos) Fail(name, "holds a NUL character");
        return text;
    }

    bool Boolean(const char* name) const {
        const Json& value = At(name);
        if (!value.is_boolean()) Fail(Name(name), "not true or false");
        return value.get<bool>();
    }

    int64_t Integer(const char* name, int64_t low, int64_t high) const {
        return IntegerOf(At(name), Name(name), low, high);
    }

    static int64_t IntegerOf(const Json& value, const std::string& name, int64_t low, int64_t high) {
        if (!value.is_number_integer()) Fail(name, "not a whole number");
        const bool above = value.is_number_unsigned() && value.get<uint64_t>() > static_cast<uint64_t>(high);
        const int64_t number = above ? high : value.get<int64_t>();
        if (above || number < low || number > high) {
            Fail(name, value.dump() + " is not from " + fw::IntToStr(low) + " to " + fw::IntToStr(high));
        }
        return number;
    }

    static double NumberOf(const Json& value, const std::string& name) {
        if (!value.is_number()) Fail(name, "not a number");
        return value.get<double>();
    }

    const Json& Array(const char* name) const {
        const Json& value = At(name);
        if (!value.is_array()) Fail(Name(name), "not a list");
        return value;
    }

    std::string Name(const char* field = nullptr) const {
        if (!field) return path_.empty() ? "recipe" : path_;
        return path_.empty() ? field : path_ + "." + field;
    }

private:
    const Json& object_;
    std::string path_;
};

constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

// Where the parser stands: the path of each object or list it is inside,
// with the keys an object has had, so that a key given twice (one a reader
// would see, another the program would use) is refused by name.
class KeyPath {
public:
    bool operator()(int, Json::parse_event_t event, Json& parsed) {
        switch (event) {
        case Json::parse_event_t::object_start:
        case Json::parse_event_t::array_start:
            Enter();
            frames_.push_back({event == Json::parse_event_t::array_start, {}, {}, 0});
            break;
        case Json::parse_event_t::key: {
            const std::string key = parsed.get<std::string>();
            Frame& frame = frames_.back();
            if (!frame.keys.insert(key).second) Fail(Path(key), "given twice");
            frame.key = key;
            break;
        }
        case Json::parse_event_t::value: Enter(); break;
        case Json::parse_event_t::object_end:
        case Json::parse_event_t::array_end: frames_.pop_back(); break;
        }
        return true;
    }

private:
    struct Frame {
        bool list;
        std::set<std::string> keys;
        std::string key;
        std::size_t next;  // a list's next index
    };
    // A value begins: in a list, it is the next element.
    void Enter() {
        if (!frames_.empty() && frames_.back().list) ++frames_.back().next;
    }
    std::string Path(const std::string& key) const {
        std::string path;
        for (const Frame& frame : frames_) {
            if (&frame == &frames_.back()) break;
            if (frame.list) {
                path += "[" + std::to_string(frame.next - 1) + "]";
            } else {
                path += (path.empty() ? "" : ".") + frame.key;
            }
        }
        return path.empty() ? key : path + "." + key;
    }
    std::vector<Frame> frames_;
};

InputFile ReadInput(const Json& json) {
    const Fields fields(json, "input");
    InputFile input;
    input.name = fields.String("file");
    input.size = static_cast<uint64_t>(fields.Integer("size", 0, std::numeric_limits<int64_t>::max()));
    input.sha256 = fields.String("sha256");
    if (fields.Has("import")) {
        const Json& choices = fields.At("import");
        if (!choices.is_object()) Fail("input.import", "not a JSON object");
        for (const auto& [name, value] : choices.items())
            input.import[name] = Fields::TextOf(value, "input.import." + name);
    }
    return input;
}

std::vector<int32_t> ReadItems(const Fields& fields, const char* name) {
    std::vector<int32_t> items;
    const Json& list = fields.Array(name);
    for (std::size_t k = 0; k < list.size(); ++k) {
        const std::string itemName = fields.Name(name) + "[" + std::to_string(k) + "]";
        items.push_back(static_cast<int32_t>(Fields::IntegerOf(list[k], itemName, 1, kInt32Max)));
    }
    return items;
}

AutoRequest ReadAuto(const Json& json, const std::string& path) {
    const Fields fields(json, path);
    AutoRequest request;
    request.shifts = static_cast<int32_t>(fields.Integer("shifts", 1, kInt32Max));
    for (const auto& [name, part] : {std::pair{"wavelet", &request.wavelet}, std::pair{"rule", &request.rule},
                                     std::pair{"shrink", &request.shrink}}) {
        if (fields.Has(name)) *part = fields.String(name);
    }
    if (fields.Has("given")) request.given = ReadItems(fields, "given");
    return request;
}

Step ReadStep(const Json& json, const std::string& path) {
    const Fields fields(json, path);
    Step step;
    const std::string name = fields.String("step");
    const std::optional<StepKind> kind = StepNamed(name);
    if (!kind)
        Fail(fields.Name("step"), "'" + name + "' is not Decompose, Thresholding, ApplyAllLevels or Reconstruct");
    step.kind = *kind;
    switch (step.kind) {
    case StepKind::Decompose:
        step.levels = static_cast<int32_t>(fields.Integer("levels", 1, kInt32Max));
        // Recipes from before the family of transforms name none: theirs is the Linear one.
        if (fields.Has("wavelet")) step.wavelet = fields.String("wavelet");
        break;
    case StepKind::Thresholding:
        step.item = static_cast<int32_t>(fields.Integer("item", 1, kInt32Max));
        step.threshold = fields.String("threshold");
        break;
    case StepKind::ApplyAllLevels: {
        step.rule = fields.String("rule");
        step.shrink = fields.String("shrink");
        step.shifts = static_cast<int32_t>(fields.Integer("shifts", 1, kInt32Max));
        if (fields.Has("wiener")) step.wiener = fields.String("wiener");
        if (fields.Has("keep_unhelped")) step.keepUnhelped = fields.Boolean("keep_unhelped");
        if (fields.Has("noise")) step.noise = Fields::NumberOf(fields.At("noise"), fields.Name("noise"));
        const Json& thresholds = fields.Array("thresholds");
        for (std::size_t k = 0; k < thresholds.size(); ++k) {
            step.thresholds.push_back(
                Fields::NumberOf(thresholds[k], fields.Name("thresholds") + "[" + std::to_string(k) + "]"));
        }
        if (fields.Has("given")) step.given = ReadItems(fields, "given");
        if (fields.Has("approximation")) {
            step.approximation = Fields::NumberOf(fields.At("approximation"), fields.Name("approximation"));
        }
        if (fields.Has("auto")) step.automatic = ReadAuto(fields.At("auto"), fields.Name("auto"));
        break;
    }
    case StepKind::Reconstruct: break;
    }
    return step;
}

Output ReadOutput(const Json& json, const std::string& path) {
    const Fields fields(json, path);
    Output output;
    const std::string name = fields.String("output");
    bool known = false;
    for (const OutputKind kind :
         {OutputKind::Buffer, OutputKind::Result, OutputKind::Coefficients, OutputKind::Signal}) {
        if (name == OutputName(kind)) {
            output.kind = kind;
            known = true;
        }
    }
    if (!known) Fail(fields.Name("output"), "'" + name + "' is not buffer, result, coefficients or signal");
    if (output.kind != OutputKind::Buffer) output.file = fields.String("file");
    if (output.kind == OutputKind::Coefficients)
        output.item = static_cast<int32_t>(fields.Integer("item", 1, kInt32Max));
    output.after = static_cast<std::size_t>(fields.Integer("after", 0, kInt32Max));
    output.sha256 = fields.String("sha256");
    if (fields.Has("whole_grid")) output.wholeGrid = fields.Boolean("whole_grid");
    return output;
}

Json AutoJson(const AutoRequest& request) {
    Json json{{"shifts", request.shifts}};
    for (const auto& [name, part] : {std::pair{"wavelet", &request.wavelet}, std::pair{"rule", &request.rule},
                                     std::pair{"shrink", &request.shrink}}) {
        if (!part->empty()) json[name] = *part;
    }
    if (!request.given.empty()) json["given"] = request.given;
    return json;
}

Json StepJson(const Step& step) {
    Json json{{"step", StepName(step.kind)}};
    switch (step.kind) {
    case StepKind::Decompose:
        json["levels"] = step.levels;
        // Left out for the default, so that its recipes read as before.
        if (step.wavelet != analysis::WaveletName(analysis::Wavelet::Linear)) json["wavelet"] = step.wavelet;
        break;
    case StepKind::Thresholding:
        json["item"] = step.item;
        json["threshold"] = step.threshold;
        break;
    case StepKind::ApplyAllLevels:
        json["rule"] = step.rule;
        json["shrink"] = step.shrink;
        json["shifts"] = step.shifts;
        if (!step.wiener.empty()) json["wiener"] = step.wiener;
        if (step.keepUnhelped) json["keep_unhelped"] = true;
        if (step.noise != 0) json["noise"] = step.noise;
        json["thresholds"] = step.thresholds;
        if (!step.given.empty()) json["given"] = step.given;
        if (step.approximation) json["approximation"] = *step.approximation;
        if (step.automatic) json["auto"] = AutoJson(*step.automatic);
        break;
    case StepKind::Reconstruct: break;
    }
    return json;
}

Json OutputJson(const Output& output) {
    Json json{{"output", OutputName(output.kind)}};
    if (output.kind != OutputKind::Buffer) json["file"] = output.file;
    if (output.kind == OutputKind::Coefficients) json["item"] = output.item;
    json["after"] = output.after;
    json["sha256"] = output.sha256;
    if (output.wholeGrid) json["whole_grid"] = true;
    return json;
}

}  // namespace

std::string WriteRecipe(const Recipe& recipe) {
    CheckRecipe(recipe);
    Json input{{"file", recipe.input.name}, {"size", recipe.input.size}, {"sha256", recipe.input.sha256}};
    if (!recipe.input.import.empty()) input["import"] = recipe.input.import;
    Json steps = Json::array();
    for (const Step& step : recipe.steps) steps.push_back(StepJson(step));
    Json outputs = Json::array();
    for (const Output& output : recipe.outputs) outputs.push_back(OutputJson(output));
    const Json json{{"version", recipe.version},
                    {"program", recipe.program},
                    {"input", input},
                    {"count", recipe.count},
                    {"steps", steps},
                    {"outputs", outputs}};
    try {
        return json.dump(2) + "\n";
    } catch (const Json::type_error&) {
        // A file name the system takes may be no UTF-8; JSON has no text for it.
        throw RecipeError("recipe: a file name or text is not UTF-8");
    }
}

Recipe ReadRecipe(std::string_view text) {
    Json json;
    try {
        json = Json::parse(text, KeyPath());
    } catch (const Json::exception& error) {
        // Syntax, and numbers beyond the double range (out_of_range).
        throw RecipeError(std::string("recipe: not JSON: ") + error.what());
    }
    const Fields fields(json, "");
    Recipe recipe;
    // The version first: a later format may lay out the rest otherwise.
    recipe.version = static_cast<int32_t>(fields.Integer("version", std::numeric_limits<int32_t>::min(), kInt32Max));
    if (recipe.version != kFormatVersion) CheckRecipe(recipe);
    recipe.program = fields.String("program");
    recipe.input = ReadInput(fields.At("input"));
    recipe.count = fields.String("count");
    const Json& steps = fields.Array("steps");
    if (steps.size() > kMaxRecipeSteps) Fail("steps", "more than " + std::to_string(kMaxRecipeSteps) + " steps");
    const Json& outputs = fields.Array("outputs");
    if (outputs.size() > kMaxRecipeOutputs) {
        Fail("outputs", "more than " + std::to_string(kMaxRecipeOutputs) + " outputs");
    }
    for (std::size_t i = 0; i < steps.size(); ++i)
        recipe.steps.push_back(ReadStep(steps[i], "steps[" + std::to_string(i) + "]"));
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        recipe.outputs.push_back(ReadOutput(outputs[i], "outputs[" + std::to_string(i) + "]"));
    }
    CheckRecipe(recipe);
    return recipe;
}

Recipe ReadRecipeFile(const std::string& fileName) {
    const analysis::FileDescriptor file(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) throw analysis::EFileUnreadable(analysis::CannotOpenText(fileName, errno));
    // At most one byte past the limit, whatever the file is (/dev/zero never
    // ends), in growing chunks, so that a small recipe costs a small read.
    std::string content;
    for (std::size_t chunk = std::size_t{1} << 16;; chunk *= 2) {
        const std::size_t at = content.size();
        const std::size_t want = std::min(chunk, kMaxRecipeBytes + 1 - at);
        content.resize(at + want);
        const analysis::ReadCount got = analysis::ReadFully(file.Get(), content.data() + at, want);
        if (got.error != 0) throw analysis::EFileUnreadable(analysis::CannotReadText(fileName, got.error));
        content.resize(at + got.bytes);
        if (got.bytes < want || content.size() > kMaxRecipeBytes) break;
    }
    if (content.size() > kMaxRecipeBytes) {
        throw RecipeError("recipe: larger than " + std::to_string(kMaxRecipeBytes >> 20) +
                          " MiB, more than any session records");
    }
    // A picture the program wrote carries the recipe that made it.
    if (const std::optional<std::string> text = RecipeTextInPicture(content)) return ReadRecipe(*text);
    return ReadRecipe(content);
}

void SaveRecipe(const std::string& fileName, const Recipe& recipe) {
    fw::ReplaceFileWith(fileName, WriteRecipe(recipe));
}

}  // namespace recipe
