#pragma once
// Whether two names stand for one file, so that an output never replaces an
// input: the same device and inode when both exist, else the same path once
// ".", ".." and symbolic links are resolved.

#include <map>
#include <set>
#include <string>
#include <utility>

namespace fw {

bool SameFile(const std::string& a, const std::string& b);

// Names among which other names are looked up by SameFile's rule, each name
// looked at once: many outputs against many inputs cost one look at each.
class FileNames {
public:
    void Add(const std::string& name);
    // The name added first that is the same file as `name`; nullptr when none.
    const std::string* Find(const std::string& name) const;

private:
    std::map<std::pair<unsigned long, unsigned long>, std::string> byInode_;
    std::map<std::string, std::string> byPath_;
};

}  // namespace fw
