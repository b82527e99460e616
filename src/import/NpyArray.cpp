#include "import/NpyArray.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "analysis/transform/DyadicSignal.h"
#include "analysis/io/FileDescriptor.h"
#include "analysis/io/FileError.h"
#include "import/ImportError.h"
#include "import/SourceFile.h"

namespace importer {
namespace {

constexpr std::string_view kMagic = "\x93NUMPY";

// The header dict, read as the few Python literals it may hold.
class HeaderText {
public:
    explicit HeaderText(std::string_view text) : text_(text) {}

    NpyHeader Parse() {
        NpyHeader header;
        bool descr = false;
        bool order = false;
        bool shape = false;
        Expect('{');
        while (!Take('}')) {
            const std::string key = String();
            Expect(':');
            if (key == "descr") {
                if (Peek() == '[') Fail("its type is a record of fields, not a number");
                header.descr = String();
                descr = true;
            } else if (key == "fortran_order") {
                header.fortranOrder = Boolean();
                order = true;
            } else if (key == "shape") {
                header.shape = Tuple();
                shape = true;
            } else {
                Fail("its header has the unknown key '" + analysis::ShownName(key) + "'");
            }
            if (!Take(',')) {
                Expect('}');
                break;
            }
        }
        if (!descr || !order || !shape) Fail("its header lacks 'descr', 'fortran_order' or 'shape'");
        return header;
    }

private:
    [[noreturn]] static void Fail(const std::string& reason) { throw ImportFailure(reason); }

    char Peek() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n')) ++at_;
        return at_ < text_.size() ? text_[at_] : '\0';
    }
    bool Take(char c) {
        if (Peek() != c) return false;
        ++at_;
        return true;
    }
    void Expect(char c) {
        if (!Take(c)) Fail("its header is not a dict NumPy writes");
    }
    std::string String() {
        const char quote = Peek();
        if (quote != '\'' && quote != '"') Expect('\'');
        const std::size_t end = text_.find(quote, ++at_);
        if (end == std::string_view::npos) Expect(quote);
        std::string value(text_.substr(at_, end - at_));
        at_ = end + 1;
        return value;
    }
    bool Boolean() {
        Peek();
        for (const auto& [word, value] : {std::pair{std::string_view("True"), true}, {"False", false}}) {
            if (text_.substr(at_).starts_with(word)) {
                at_ += word.size();
                return value;
            }
        }
        Fail("its header's 'fortran_order' is not True or False");
    }
    std::vector<int64_t> Tuple() {
        Expect('(');
        std::vector<int64_t> values;
        while (!Take(')')) {
            Peek();
            int64_t value = 0;
            bool digits = false;
            for (; at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9'; ++at_, digits = true) {
                if (value > (int64_t{1} << 50)) Fail("its shape is too large");
                value = value * 10 + (text_[at_] - '0');
            }
            if (!digits) Fail("its header's 'shape' is not a tuple of sizes");
            values.push_back(value);
            if (!Take(',')) {
                Expect(')');
                break;
            }
        }
        return values;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

// The first bytes of a file, enough for any header NumPy writes.
constexpr std::size_t kNpyHeadBytes = 64 * 1024;

uint32_t LittleEndian(std::string_view bytes, std::size_t at, std::size_t count) {
    uint32_t value = 0;
    for (std::size_t i = count; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

void CheckType(NpyHeader& header) {
    const std::string& written = header.descr;
    const std::string descr = analysis::ShownName(written);
    if (written.size() < 3) throw ImportFailure("its type '" + descr + "' is not a number NumPy writes");
    const char order = written[0];
    header.kind = written[1];
    const std::string size = written.substr(2);
    header.itemBytes = size == "1" ? 1 : size == "2" ? 2 : size == "4" ? 4 : size == "8" ? 8 : size == "16" ? 16 : 0;
    const int32_t bytes = header.itemBytes;
    const bool known =
        (order == '<' || order == '>' || order == '|' || order == '=') &&
        ((header.kind == 'b' && bytes == 1) ||
         ((header.kind == 'i' || header.kind == 'u') && bytes > 0 && bytes <= 8) || (header.kind == 'f' && bytes >= 2));
    if (header.kind == 'c') throw ImportFailure("its values are complex ('" + descr + "'), not real numbers");
    if (!known) throw ImportFailure("its type '" + descr + "' is not a real number");
    // 16-byte floats are the x86 extended format in 16 bytes.
    if (header.kind == 'f' && bytes == 16 &&
        !(sizeof(long double) == 16 && std::numeric_limits<long double>::digits == 64)) {
        throw ImportFailure("its type '" + descr + "' is not a number this machine reads");
    }
    header.swap = bytes > 1 && order == '>';
}

// IEEE half precision to double, exactly.
double HalfToDouble(uint16_t bits) {
    const int exponent = (bits >> 10) & 0x1F;
    const int fraction = bits & 0x3FF;
    const double sign = (bits & 0x8000) ? -1.0 : 1.0;
    if (exponent == 0) return sign * std::ldexp(fraction, -24);
    if (exponent == 31) return fraction ? std::numeric_limits<double>::quiet_NaN() : sign * HUGE_VAL;
    return sign * std::ldexp(fraction + 1024, exponent - 25);
}

template <class T>
T Item(const char* p, bool swap) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, p, sizeof(T));
    if (swap) std::reverse(bytes, bytes + sizeof(T));
    T value;
    std::memcpy(&value, bytes, sizeof(T));
    return value;
}

double ItemValue(const NpyHeader& header, const char* p) {
    const bool swap = header.swap;
    switch (header.kind) {
    case 'b': return *p != 0 ? 1.0 : 0.0;
    case 'i':
        switch (header.itemBytes) {
        case 1: return Item<int8_t>(p, swap);
        case 2: return Item<int16_t>(p, swap);
        case 4: return Item<int32_t>(p, swap);
        default: return static_cast<double>(Item<int64_t>(p, swap));
        }
    case 'u':
        switch (header.itemBytes) {
        case 1: return Item<uint8_t>(p, swap);
        case 2: return Item<uint16_t>(p, swap);
        case 4: return Item<uint32_t>(p, swap);
        default: return static_cast<double>(Item<uint64_t>(p, swap));
        }
    default:
        switch (header.itemBytes) {
        case 2: return HalfToDouble(Item<uint16_t>(p, swap));
        case 4: return Item<float>(p, swap);
        case 8: return Item<double>(p, swap);
        default: {
            // The 80-bit value sits in the 16 bytes' low (little-endian) end.
            unsigned char bytes[16];
            std::memcpy(bytes, p, 16);
            if (swap) std::reverse(bytes, bytes + 16);
            long double value = 0;
            std::memcpy(&value, bytes, 10);
            return static_cast<double>(value);
        }
        }
    }
}

// The array as a matrix of rows x columns; a 1-D one is a column.
std::pair<int64_t, int64_t> Matrix(const NpyHeader& header) {
    const std::vector<int64_t>& shape = header.shape;
    return {shape[0], shape.size() == 1 ? 1 : shape[1]};
}

// Where the signal's items are in the array's bytes: the first one's offset
// and the step from one to the next.
struct Stride {
    std::size_t first;
    std::size_t step;
};

Stride SignalStride(const NpyHeader& header, ArrayAxis axis, int64_t index) {
    const auto [rows, columns] = Matrix(header);
    const auto item = static_cast<std::size_t>(header.itemBytes);
    if (rows == 1 || columns == 1) return {0, item};
    // Item (i, j) is the (i * columns + j)-th in C order, the
    // (j * rows + i)-th in Fortran order, which keeps a column's together.
    const int64_t down = header.fortranOrder ? 1 : columns;  // (i, j) to (i + 1, j)
    const int64_t across = header.fortranOrder ? rows : 1;   // (i, j) to (i, j + 1)
    const bool eachRow = axis == ArrayAxis::Rows;
    return {static_cast<std::size_t>(index * (eachRow ? down : across)) * item,
            static_cast<std::size_t>(eachRow ? across : down) * item};
}

}  // namespace

NpyHeader ParseNpyHeader(std::string_view bytes) {
    if (!bytes.starts_with(kMagic) || bytes.size() < 10) throw ImportFailure("it is not a NumPy .npy file");
    const int major = static_cast<unsigned char>(bytes[6]);
    if (major < 1 || major > 3) throw ImportFailure("its .npy version " + std::to_string(major) + " is unknown");
    const std::size_t lengthBytes = major == 1 ? 2 : 4;
    if (bytes.size() < 8 + lengthBytes) throw ImportFailure("the file ends in its header");
    const std::size_t length = LittleEndian(bytes, 8, lengthBytes);
    const std::size_t start = 8 + lengthBytes;
    if (bytes.size() - start < length) throw ImportFailure("the file ends in its header");
    NpyHeader header = HeaderText(bytes.substr(start, length)).Parse();
    header.dataOffset = start + length;
    CheckType(header);
    if (header.shape.empty() || header.shape.size() > 2) {
        throw ImportFailure("its array has " + std::to_string(header.shape.size()) +
                            " axes; a signal is one axis, or a column or row of two");
    }
    return header;
}

ArrayAxis NpyAxis(const NpyHeader& header, std::optional<ArrayAxis> axis) {
    const auto [rows, columns] = Matrix(header);
    return SignalAxis(axis, rows, columns);
}

ArraySignals NpySignals(const NpyHeader& header, ArrayAxis axis) {
    const auto [rows, columns] = Matrix(header);
    return SignalsOf(axis, rows, columns);
}

Samples NpySignalValues(const NpyHeader& header, std::string_view data, ArrayAxis axis, int64_t index,
                        std::size_t checkOnly) {
    const auto [count, length] = NpySignals(header, axis);
    const std::string word = SignalWord(axis);
    if (index > count) {
        throw ImportFailure("there is no " + word + " " + std::to_string(index) + ": the array has " +
                            std::to_string(count) + " " + word + (count == 1 ? "" : "s"));
    }
    if (length == 0 || count == 0) throw ImportFailure("its array holds no values");
    if (length > analysis::kMaxSamples) {
        throw ImportFailure("its array's " + word + "s have " + std::to_string(length) + " values, more than the " +
                            std::to_string(analysis::kMaxSamples) + " samples a signal may have");
    }
    if (count > std::numeric_limits<int64_t>::max() / 16 / length) throw ImportFailure("its array is too large");
    const auto item = static_cast<std::size_t>(header.itemBytes);
    const auto total = static_cast<std::size_t>(length * count);
    const std::size_t have = checkOnly > 0 ? checkOnly : data.size();
    if (have / item < total) {
        throw ImportFailure("the file ends after " + std::to_string(have / item) + " of its " + std::to_string(total) +
                            " values");
    }
    if (checkOnly > 0) return {};
    // A copy: a structured binding cannot be captured.
    const auto size = static_cast<std::size_t>(length);
    Samples values = fw::MapOutOfMemory([size] { return Samples(size); });
    const Stride stride = SignalStride(header, axis, (index <= 0 ? count : index) - 1);
    const char* p = data.data() + stride.first;
    if (header.kind == 'f' && header.itemBytes == 8 && !header.swap && stride.step == item) {
        std::memcpy(values.data(), p, values.size() * sizeof(double));
        return values;
    }
    for (double& value : values) {
        value = ItemValue(header, p);
        p += stride.step;
    }
    return values;
}

Samples ParseNpy(std::string_view bytes, int64_t index, std::optional<ArrayAxis> axis, NpyHeader* header) {
    const NpyHeader parsed = ParseNpyHeader(bytes);
    if (header) *header = parsed;
    return NpySignalValues(parsed, bytes.substr(parsed.dataOffset), NpyAxis(parsed, axis), index);
}

Samples ReadNpy(const std::string& fileName, int64_t index, std::optional<ArrayAxis> axis, NpyHeader* header) {
    int64_t fileBytes = 0;
    const analysis::FileDescriptor file(OpenSourceFile(fileName, fileBytes));
    const auto size = static_cast<std::size_t>(std::max<int64_t>(fileBytes, 0));
    // The header is read first; then the array's bytes, straight into the
    // values when they are already doubles of this machine, one after the
    // other: a copy of the file would cost as much again.
    std::vector<char> head(std::min<std::size_t>(size, kNpyHeadBytes));
    head.resize(analysis::ReadFileAt(file.Get(), fileName, head.data(), head.size(), 0));
    NpyHeader parsed;
    try {
        parsed = ParseNpyHeader(std::string_view(head.data(), head.size()));
    } catch (const ImportFailure&) {
        if (head.size() == size) throw;
        // A header longer than kNpyHeadBytes: the whole file, the plain way.
        const std::vector<char> bytes = ReadSourceFile(fileName);
        return ParseNpy(std::string_view(bytes.data(), bytes.size()), index, axis, header);
    }
    if (header) *header = parsed;
    const ArrayAxis along = NpyAxis(parsed, axis);
    const std::size_t dataBytes = size - std::min(size, parsed.dataOffset);
    if (parsed.kind == 'f' && parsed.itemBytes == 8 && !parsed.swap && SignalStride(parsed, along, 0).step == 8) {
        // Checked against the file's size as the bytes would be.
        NpySignalValues(parsed, std::string_view(nullptr, 0), along, index, dataBytes);
        const Stride stride = SignalStride(parsed, along, (index <= 0 ? NpySignals(parsed, along).count : index) - 1);
        Samples values =
            fw::MapOutOfMemory([&] { return Samples(static_cast<std::size_t>(NpySignals(parsed, along).length)); });
        const std::size_t bytes = values.size() * sizeof(double);
        const std::size_t got = analysis::ReadFileAt(file.Get(), fileName, reinterpret_cast<char*>(values.data()),
                                                     bytes, static_cast<int64_t>(parsed.dataOffset + stride.first));
        if (got < bytes) throw ImportFailure("the file ends before its array's data does");
        return values;
    }
    std::vector<char, fw::LargeBlockAllocator<char>> data =
        fw::MapOutOfMemory([&] { return std::vector<char, fw::LargeBlockAllocator<char>>(dataBytes); });
    data.resize(
        analysis::ReadFileAt(file.Get(), fileName, data.data(), dataBytes, static_cast<int64_t>(parsed.dataOffset)));
    return NpySignalValues(parsed, std::string_view(data.data(), data.size()), along, index);
}

}  // namespace importer
