// A recipe from anyone, as a file (JSON, or a picture carrying one), replayed
// on a fixed small input and its outputs written as the batch writes them,
// in a folder of the target's own. Whatever the recipe names, nothing outside
// that folder may appear or change: every name it gives an output is looked
// at before and after, and so is the folder's parent.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "analysis/session/QuietControls.h"
#include "recipe/RecipeJson.h"
#include "recipe/RecipeReplay.h"
#include "recipe/ReplayOutputs.h"

namespace {

namespace fs = std::filesystem;

const fs::path& Folder() {
    static const fs::path folder = [] {
        char name[] = "/tmp/quelmar-fuzz-replay-XXXXXX";
        const fs::path made = ::mkdtemp(name);
        fs::create_directories(made / "work");
        std::FILE* input = std::fopen((made / "work" / "in.dat").c_str(), "w");
        for (int i = 0; i < 17; ++i) std::fprintf(input, "%d\n", (i * 7) % 5 - 2);
        std::fclose(input);
        return made / "work";
    }();
    return folder;
}

// What can be told of a path without reading it: absent, or its kind, size and time.
std::string Stamp(const fs::path& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) return "absent";
    return std::to_string(status.st_mode) + " " + std::to_string(status.st_size) + " " +
           std::to_string(status.st_mtim.tv_sec) + "." + std::to_string(status.st_mtim.tv_nsec);
}

// Every place outside the folder the recipe names, and the folder's parent.
std::map<fs::path, std::string> Outside(const recipe::Recipe& r, const fs::path& folder) {
    std::map<fs::path, std::string> stamps{{folder.parent_path(), Stamp(folder.parent_path())}};
    for (const recipe::Output& output : r.outputs) {
        if (output.file.empty() || output.file.find('\0') != std::string::npos) continue;
        const fs::path named = (folder / output.file).lexically_normal();
        const auto [end, inside] = std::mismatch(folder.begin(), folder.end(), named.begin(), named.end());
        if (end != folder.end() || inside == named.end()) stamps[named] = Stamp(named);
    }
    return stamps;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const fs::path& folder = Folder();
    const std::string input = (folder / "in.dat").string();
    const std::string recipeFile = (folder / "recipe").string();
    {
        std::FILE* file = std::fopen(recipeFile.c_str(), "wb");
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    recipe::Recipe r;
    try {
        r = recipe::ReadRecipeFile(recipeFile);
    } catch (const fw::Exception&) {
        return 0;
    }
    const std::map<fs::path, std::string> before = Outside(r, folder);
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
