// A recipe from anyone, as a file (JSON, or a picture carrying one), replayed
// on a fixed small input with its outputs written as the batch writes them,
// in a folder of the target's own. Whatever the recipe names, nothing outside
// that folder may appear or change: every name it gives an output is looked
// at before and after, and so is the folder's parent.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "FuzzInput.h"
#include "analysis/session/QuietControls.h"
#include "recipe/RecipeJson.h"
#include "recipe/RecipeReplay.h"
#include "recipe/ReplayOutputs.h"

namespace {

namespace fs = std::filesystem;

// A path's kind, size and time, or "absent".
std::string Stamp(const fs::path& path) {
    struct stat s {};
    if (::lstat(path.c_str(), &s) != 0) return "absent";
    return std::to_string(s.st_mode) + " " + std::to_string(s.st_size) + " " + std::to_string(s.st_mtim.tv_sec) + "." +
           std::to_string(s.st_mtim.tv_nsec);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const fs::path folder = [] {
        char name[] = "/tmp/quelmar-fuzz-replay-XXXXXX";
        const fs::path work = fs::path(::mkdtemp(name)) / "work";
        fs::create_directories(work);
        std::ofstream input(work / "in.dat");
        for (int i = 0; i < 17; ++i) input << (i * 7) % 5 - 2 << "\n";
        return work;
    }();
    const std::string input = (folder / "in.dat").string(), recipeFile = (folder / "recipe").string();
    std::ofstream(recipeFile, std::ios::binary).write(reinterpret_cast<const char*>(data), std::streamsize(size));
    recipe::Recipe r;
    try {
        r = recipe::ReadRecipeFile(recipeFile);
    } catch (const fw::Exception&) {
        return 0;
    }
    // Every place the outputs name, as named from the folder, and the folder's parent.
    std::map<fs::path, std::string> before{{folder.parent_path(), Stamp(folder.parent_path())}};
    for (const recipe::Output& output : r.outputs) {
        const fs::path named = (folder / output.file).lexically_normal();
        if (output.file.find('\0') == std::string::npos && named.parent_path() != folder) before[named] = Stamp(named);
    }
    try {
        analysis::QuietControls controls;
        recipe::PrivateSession session(controls);
        recipe::RecipeReplay replay(r, session.Session());
        replay.Load(input);
        const std::vector<std::string> contents = replay.Run();
        static const int nowhere = ::open("/dev/null", O_WRONLY);
        recipe::WriteOutputs(recipe::OutputTargets(r, folder, input, true), contents, nowhere);
    } catch (const std::exception&) {
        // A refusal is fine; what counts is where it wrote.
    }
    for (const auto& [path, stamp] : before) {
        fuzz::Check(Stamp(path) == stamp, "the replay touched " + path.string() + ", outside its folder");
    }
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename() != "in.dat") fs::remove_all(entry.path());
    }
    return 0;
}
