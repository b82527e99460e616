#include "SoakSession.h"

#include <fstream>

namespace soak {
namespace {

SampleFile Numbers(int count) { return {TestSignal(count), std::nullopt, true}; }

}  // namespace

SoakInputs SoakInputs::Small() {
    SoakInputs inputs;
    // Valid counts around the files' sizes, the smallest order, and texts that are no count.
    inputs.counts = {"33", "513", "1025", "4097", "1000", "17",          "5",         "2",
                     "0",  "-7",  "",     "abc",  "12x",  "99999999999", "1073741826"};
    for (int count : {33, 513, 1025, 4097, 20})
        inputs.files.emplace_back("n" + std::to_string(count) + ".dat", Numbers(count));
    inputs.files.emplace_back("empty.dat", SampleFile{});
    inputs.files.emplace_back("words.dat", SampleFile{{}, 0, true});
    inputs.files.emplace_back("broken.dat", SampleFile{TestSignal(10), 10, true});
    inputs.files.emplace_back("missing.dat", SampleFile{{}, std::nullopt, false});
    return inputs;
}

SoakInputs SoakInputs::Long(int samples) {
    SoakInputs inputs;
    inputs.counts = {std::to_string(samples), "abc"};
    inputs.files.emplace_back("long.dat", Numbers(samples));
    inputs.files.emplace_back("broken.dat", SampleFile{TestSignal(10), 10, true});
    inputs.files.emplace_back("missing.dat", SampleFile{{}, std::nullopt, false});
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
}

void SoakSession::Drag(QWidget& host, Qt::MouseButton button, QPoint from, QPoint to) {
    QTest::mousePress(&host, button, Qt::NoModifier, from);
    for (int i = 1; i <= 8; ++i) QTest::mouseMove(&host, from + (to - from) * i / 8);
    QTest::mouseRelease(&host, button, Qt::NoModifier, to);
}

}  // namespace soak
