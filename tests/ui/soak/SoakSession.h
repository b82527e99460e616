#pragma once
// One soak run: a fresh window with scripted dialogs, the sample files it
// loads, the model beside it, and the gestures the actions are made of (the
// window tests' own helpers, reused).

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "../WindowFixture.h"
#include "SoakModel.h"

namespace soak {

// A file the import is pointed at: one of the import's test files, or one
// the run writes into its folder (or leaves missing).
struct ImportInput {
    std::string name;                 // a committed file's path, or a name in the run's folder
    std::optional<std::string> text;  // what the run writes there
    ImportSource gives;
};

// The texts and files a run draws from: small signals for CI, one long
// signal for the memory run.
struct SoakInputs {
    std::vector<std::string> counts;
    std::vector<std::pair<std::string, SampleFile>> files;  // by name in the run's folder
    std::vector<ImportInput> imports;
    static SoakInputs Small();
    static SoakInputs Long(int samples);
};

class SoakSession : public WindowTest {
public:
    explicit SoakSession(const SoakInputs& inputs);
    ~SoakSession() override { TearDown(); }
    void TestBody() override {}

    using WindowTest::Charts;
    using WindowTest::Choose;
    using WindowTest::Click;
    using WindowTest::Control;
    using WindowTest::dialogs;
    using WindowTest::Edit;
    using WindowTest::folder;
    using WindowTest::form;
    using WindowTest::Items;
    using WindowTest::List;
    using WindowTest::PathIn;
    using WindowTest::PickItem;
    using WindowTest::TypeInto;
    using WindowTest::TypeIntoCell;

    // A left drag, in steps of a few pixels, on a chart area.
    void Drag(QWidget& host, Qt::MouseButton button, QPoint from, QPoint to);
    // A path in a folder that does not exist, for the saves that must fail.
    std::string BadPath(const std::string& name) const {
        return PathIn("no such folder/" + QString::fromStdString(name));
    }
    // A fresh file name in the run's folder.
    std::string OutputPath(const std::string& extension) {
        return PathIn(QString("out%1.%2").arg(++outputs_).arg(QString::fromStdString(extension)));
    }

    const SoakInputs& inputs;
    std::map<std::string, SampleFile> files;  // by full path
    std::map<std::string, ImportSource> imports;
    std::vector<std::string> importPaths;  // in the order of inputs.imports
    SoakModel model{files, imports};
    std::vector<std::pair<std::string, ModelRecipe>> recipes;  // saved, by path
    // What an action found wrong in what it made (a saved file, a picture).
    std::vector<std::string> faults;

private:
    int outputs_ = 0;
};

}  // namespace soak
