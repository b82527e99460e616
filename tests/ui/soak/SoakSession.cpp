#include "SoakSession.h"

#include <cstdlib>
#include <fstream>

#include "framework/core/ShortestText.h"

namespace soak {
namespace {

SampleFile Numbers(int count) { return {TestSignal(count), std::nullopt, true}; }

std::string Committed(const std::string& name) { return std::string(QUELMAR_IMPORT_FILES) + "/" + name; }

// The values a committed file holds, as its .expect file lists them.
std::vector<double> Expected(const std::string& name) {
    std::ifstream in(Committed(name + ".expect"));
    std::vector<double> values;
    for (std::string line; std::getline(in, line);) values.push_back(std::strtod(line.c_str(), nullptr));
    return values;
}

std::string Text(const std::vector<double>& values, const std::string& header) {
    std::string text = header.empty() ? "" : header + "\n";
    for (std::size_t i = 0; i < values.size(); ++i) {
        text += (header.empty() ? "" : std::to_string(i) + ",") + fw::ShortestText(values[i]) + "\n";
    }
    return text;
}

// Tables that import, with and without a header, short, one sample and a
// whole grid; tables that do not; the import's own test files of each kind.
std::vector<ImportInput> Imports() {
    std::vector<ImportInput> imports = {
        {"table.csv", Text(TestSignal(40), "t,v"), {TestSignal(40), "column \"v\" (2)"}},
        {"grid.csv", Text(TestSignal(33), ""), {TestSignal(33), "column 1"}},
        {"one.csv", "3.25\n", {{3.25}, "column 1"}},
        {"badnum.csv", "t,v\n0,1.5\n1,2.5x\n", {}},
        {"blank.csv", "", {}},
        {"nothing.csv", std::nullopt, {}},
    };
    for (const char* bad : {"bad_number.csv", "short_line.csv", "empty.csv", "truncated.npy", "corrupt.wav"})
        imports.push_back({Committed(bad), std::nullopt, {}});
    imports.push_back({Committed("header_two_columns.csv"),
                       std::nullopt,
                       {Expected("header_two_columns.csv"), "column \"value\" (2)"}});
    imports.push_back({Committed("f8_le.npy"), std::nullopt, {Expected("f8_le.npy"), "array"}});
    imports.push_back({Committed("tone.wav"), std::nullopt, {Expected("tone.wav"), "channel 1", 8000}});
    return imports;
}

}  // namespace

SoakInputs SoakInputs::Small() {
    SoakInputs inputs;
    // Valid counts around the files' sizes, the smallest order, and texts that are no count.
    inputs.counts = {"33", "513", "1025", "4097", "1000", "17",          "5",         "2",
                     "0",  "-7",  "",     "abc",  "12x",  "99999999999", "1073741826"};
    for (int count : {33, 513, 1025, 4097, 20}) {
        // Appended, not "n" + text: GCC 12's optimiser warns about the latter.
        std::string name = "n";
        name += std::to_string(count);
        inputs.files.emplace_back(name + ".dat", Numbers(count));
    }
    inputs.files.emplace_back("empty.dat", SampleFile{});
    inputs.files.emplace_back("words.dat", SampleFile{{}, 0, true});
    inputs.files.emplace_back("broken.dat", SampleFile{TestSignal(10), 10, true});
    inputs.files.emplace_back("missing.dat", SampleFile{{}, std::nullopt, false});
    inputs.imports = Imports();
    return inputs;
}

SoakInputs SoakInputs::Long(int samples) {
    SoakInputs inputs;
    inputs.counts = {std::to_string(samples), "abc"};
    inputs.files.emplace_back("long.dat", Numbers(samples));
    inputs.files.emplace_back("broken.dat", SampleFile{TestSignal(10), 10, true});
    inputs.files.emplace_back("missing.dat", SampleFile{{}, std::nullopt, false});
    // Only imports that fail: the long signal stays.
    inputs.imports = {{"badnum.csv", "t,v\n0,1.5\n1,2.5x\n", {}}, {"nothing.csv", std::nullopt, {}}};
    return inputs;
}

SoakSession::SoakSession(const SoakInputs& in) : inputs(in) {
    SetUp();
    for (const auto& [name, file] : inputs.files) {
        const std::string path = PathIn(QString::fromStdString(name));
        files[path] = file;
        if (!file.exists) continue;
        WriteSampleFile(path, file.numbers);
        if (file.badLine) std::ofstream(path, std::ios::app) << "abc\n5\n";
    }
    for (const ImportInput& input : inputs.imports) {
        const bool committed = input.name.starts_with('/');
        const std::string path = committed ? input.name : PathIn(QString::fromStdString(input.name));
        if (input.text) std::ofstream(path) << *input.text;
        imports[path] = input.gives;
        importPaths.push_back(path);
    }
}

void SoakSession::Drag(QWidget& host, Qt::MouseButton button, QPoint from, QPoint to) {
    QTest::mousePress(&host, button, Qt::NoModifier, from);
    for (int i = 1; i <= 8; ++i) QTest::mouseMove(&host, from + (to - from) * i / 8);
    QTest::mouseRelease(&host, button, Qt::NoModifier, to);
}

}  // namespace soak
