#include "import/MatExtent.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <vector>

#include "analysis/io/FileDescriptor.h"
#include "analysis/io/FileError.h"

namespace importer {
namespace {

constexpr uint64_t kMost = std::numeric_limits<uint64_t>::max();

// a * b, or kMost when that does not fit: a size beyond any file.
uint64_t Times(uint64_t a, uint64_t b) { return b != 0 && a > kMost / b ? kMost : a * b; }
uint64_t Plus(uint64_t a, uint64_t b) { return a > kMost - b ? kMost : a + b; }

class FileBytes {
public:
    FileBytes(int fd, const std::string& fileName) : fd_(fd), fileName_(fileName) {
        struct stat status {};
        if (::fstat(fd, &status) != 0) throw analysis::EFileUnreadable(analysis::CannotReadText(fileName, errno));
        size_ = static_cast<uint64_t>(std::max<off_t>(status.st_size, 0));
    }
    uint64_t Size() const { return size_; }
    // Up to `count` bytes from `offset`; fewer where the file ends.
    std::vector<unsigned char> At(uint64_t offset, std::size_t count) const {
        std::vector<unsigned char> bytes(offset < size_ ? std::min<uint64_t>(count, size_ - offset) : 0);
        bytes.resize(analysis::ReadFileAt(fd_, fileName_, reinterpret_cast<char*>(bytes.data()), bytes.size(),
                                          static_cast<int64_t>(offset)));
        return bytes;
    }

private:
    int fd_;
    const std::string& fileName_;
    uint64_t size_ = 0;
};

uint32_t Word(const std::vector<unsigned char>& bytes, std::size_t at, bool bigEndian) {
    uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::size_t from = bigEndian ? at + i : at + 3 - i;
        value = value << 8 | (from < bytes.size() ? bytes[from] : 0);
    }
    return value;
}

std::string Ends(uint64_t fileBytes, uint64_t variableEnd) {
    return "the file ends after " + std::to_string(fileBytes) + " bytes, the variable after " +
           (variableEnd == kMost ? std::string("more than any file holds") : std::to_string(variableEnd));
}

// Version 4: one matrix after another, each a header of five numbers (type,
// rows, columns, imaginary part, name length), the name, then the data; the
// type's tens digit is the item's kind. A file written big-endian reads as a
// type far beyond the largest one.
std::string Version4Shortfall(const FileBytes& file, std::size_t entry) {
    uint64_t offset = 0;
    for (std::size_t k = 0;; ++k) {
        const std::vector<unsigned char> head = file.At(offset, 20);
        const bool big = Word(head, 0, false) > 4052;
        const uint32_t type = Word(head, 0, big);
        static constexpr uint64_t kItemBytes[] = {8, 4, 4, 2, 2, 1};
        const uint64_t item = kItemBytes[std::min<uint32_t>(type % 100 / 10, 5)];
        const uint64_t items = Times(Times(Word(head, 4, big), Word(head, 8, big)), Word(head, 12, big) != 0 ? 2 : 1);
        const uint64_t end = Plus(Plus(offset + 20, Word(head, 16, big)), Times(items, item));
        if (head.size() < 20 || end > file.Size()) return Ends(file.Size(), end);
        if (k == entry) return {};
        offset = end;
    }
}

// Version 5: a 128-byte header that ends in the writer's byte order ("IM"
// when it was little-endian), then one data element a variable: a tag of its
// type and byte count, then the bytes (zlib's stream for a compressed one).
constexpr uint32_t kMatrix = 14;

struct Element {
    uint32_t type = 0;
    uint64_t bytes = 0;
    std::size_t data = 0;  // where its bytes start
    std::size_t next = 0;  // where the element after it starts
};

// The sub-element at `at`; a small one keeps up to 4 bytes in its tag.
Element SubElement(const std::vector<unsigned char>& bytes, std::size_t at, bool big) {
    const uint32_t first = Word(bytes, at, big);
    if (first >> 16 != 0) return Element{first & 0xFFFF, first >> 16, at + 4, at + 8};
    const uint32_t count = Word(bytes, at + 4, big);
    return Element{first, count, at + 8, at + 8 + (uint64_t{count} + 7) / 8 * 8};
}

uint64_t ItemBytes(uint32_t type) {
    switch (type) {
    case 1:             // int8
    case 2:             // uint8
    case 16: return 1;  // UTF-8
    case 3:             // int16
    case 4:             // uint16
    case 17: return 2;  // UTF-16
    case 5:             // int32
    case 6:             // uint32
    case 7:             // single
    case 18: return 4;  // UTF-32
    case 9:             // double
    case 12:            // int64
    case 13: return 8;  // uint64
    default: return 0;
    }
}

// An uncompressed matrix: its array flags, dimensions and name, then its
// real part, whose bytes must hold every value.
std::string MatrixShortfall(const FileBytes& file, uint64_t offset, uint64_t end, bool big, uint64_t values) {
    // A name has at most 63 characters in this version; a rank of a few
    // hundred is beyond any variable read here.
    const std::vector<unsigned char> head = file.At(offset, 4096);
    const Element flags = SubElement(head, 8, big);
    const Element dimensions = SubElement(head, flags.next, big);
    const Element name = SubElement(head, dimensions.next, big);
    const Element real = SubElement(head, name.next, big);
    if (real.data > head.size() || offset + real.data > end) return "its data is missing";
    const uint64_t item = ItemBytes(real.type);
    if (item == 0) return "its values are of an unknown type (" + std::to_string(real.type) + ")";
    const uint64_t need = Times(values, item);
    if (real.bytes < need || offset + real.data + need > end) {
        return "its data holds " + std::to_string(std::min(real.bytes, end - std::min(end, offset + real.data))) +
               " bytes, its " + std::to_string(values) + " values take " + std::to_string(need);
    }
    return {};
}

std::string Version5Shortfall(const FileBytes& file, std::size_t entry, uint64_t values) {
    const std::vector<unsigned char> header = file.At(126, 2);
    const bool big = header.size() == 2 && header[0] == 'M' && header[1] == 'I';
    uint64_t offset = 128;
    for (std::size_t k = 0;; ++k) {
        const std::vector<unsigned char> tag = file.At(offset, 8);
        const uint64_t end = offset + 8 + Word(tag, 4, big);
        if (tag.size() < 8 || end > file.Size()) return Ends(file.Size(), tag.size() < 8 ? offset + 8 : end);
        if (k == entry) return Word(tag, 0, big) == kMatrix ? MatrixShortfall(file, offset, end, big, values) : "";
        offset = end;
    }
}

}  // namespace

std::string MatVariableShortfall(int fd, const std::string& fileName, MatLayout layout, std::size_t entry,
                                 uint64_t values) {
    const FileBytes file(fd, fileName);
    switch (layout) {
    case MatLayout::Version4: return Version4Shortfall(file, entry);
    case MatLayout::Version5: return Version5Shortfall(file, entry, values);
    case MatLayout::Hdf5: break;
    }
    return {};
}

}  // namespace importer
