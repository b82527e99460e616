// The .npy reader. On any bytes: a failure is an ImportFailure with a
// message, never a crash. On a file put together from the fuzz input's
// choices (type, byte order, C or Fortran order, shape, the data cut short
// or not): the values of the column equal those a plain byte-by-byte
// decoding gives, or the file is refused exactly when its data is short.

#include <bit>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "import/ImportError.h"
#include "import/NpyArray.h"

namespace {

struct Type {
    const char* code;  // without the byte order
    char kind;
    int bytes;
};

constexpr Type kTypes[] = {{"b1", 'b', 1}, {"i1", 'i', 1}, {"u1", 'u', 1}, {"i2", 'i', 2},
                           {"u2", 'u', 2}, {"i4", 'i', 4}, {"u4", 'u', 4}, {"i8", 'i', 8},
                           {"u8", 'u', 8}, {"f2", 'f', 2}, {"f4", 'f', 4}, {"f8", 'f', 8}};

// The item at p, its bytes assembled most significant first.
double Decode(const Type& type, const unsigned char* p, bool bigEndian) {
    uint64_t bits = 0;
    for (int i = 0; i < type.bytes; ++i) {
        const int at = bigEndian ? i : type.bytes - 1 - i;
        bits = bits << 8 | p[at];
    }
    const int width = 8 * type.bytes;
    switch (type.kind) {
    case 'b': return bits != 0 ? 1.0 : 0.0;
    case 'u': return static_cast<double>(bits);
    case 'i': {
        const bool negative = (bits >> (width - 1)) & 1;
        if (!negative) return static_cast<double>(bits);
        // Two's complement, the magnitude as an unsigned number.
        const uint64_t magnitude = width == 64 ? ~bits + 1 : ((uint64_t{1} << width) - bits);
        return -static_cast<double>(magnitude);
    }
    default:
        if (type.bytes == 4) return std::bit_cast<float>(static_cast<uint32_t>(bits));
        if (type.bytes == 8) return std::bit_cast<double>(bits);
        // Half: sign, 5 exponent bits, 10 fraction bits.
        const double sign = (bits & 0x8000) ? -1.0 : 1.0;
        const int exponent = static_cast<int>((bits >> 10) & 0x1F);
        const double fraction = static_cast<double>(bits & 0x3FF);
        if (exponent == 0) return sign * fraction * std::pow(2.0, -24);
        if (exponent == 31) return fraction != 0 ? NAN : sign * INFINITY;
        return sign * (1024 + fraction) * std::pow(2.0, exponent - 25);
    }
}

bool Same(double a, double b) { return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const uint8_t mode = input.Byte();
    if (mode < 64) {
        const std::string bytes = input.Rest();
        try {
            importer::ParseNpy(bytes, mode % 4);
        } catch (const importer::ImportFailure& failure) {
            fuzz::Check(!failure.Message().empty(), "a failure says why");
        }
        return 0;
    }
    const Type& type = kTypes[input.Byte() % std::size(kTypes)];
    const bool bigEndian = mode & 1;
    const bool fortran = mode & 2;
    const bool twoAxes = mode & 4;
    const bool cut = (mode & 24) == 24;
    const int64_t rows = input.Byte() % 40;
    const int64_t columns = twoAxes ? 1 + input.Byte() % 4 : 1;
    const int64_t column = input.Byte() % (columns + 1);  // 0: the last
    const std::string shape =
        twoAxes ? "(" + std::to_string(rows) + ", " + std::to_string(columns) + ")" : "(" + std::to_string(rows) + ",)";
    std::string header = std::string("{'descr': '") +
                         (type.bytes == 1 ? '|'
                          : bigEndian     ? '>'
                                          : '<') +
                         type.code + "', 'fortran_order': " + (fortran ? "True" : "False") + ", 'shape': " + shape +
                         ", }";
    header.append(63 - (10 + header.size()) % 64, ' ');
    header += '\n';
    std::string file = std::string("\x93NUMPY\x01\x00", 8);
    file += static_cast<char>(header.size() & 0xFF);
    file += static_cast<char>(header.size() >> 8);
    file += header;
    const std::size_t need = static_cast<std::size_t>(rows * columns * type.bytes);
    std::string items = input.Rest();
    items.resize(cut && need > 0 ? need - 1 - items.size() % need : need, '\x5A');
    file += items;

    importer::Samples values;
    try {
        values = importer::ParseNpy(file, column, importer::ArrayAxis::Columns);
    } catch (const importer::ImportFailure& failure) {
        fuzz::Check(cut || rows == 0 || (rows == 1 && twoAxes),
                    "only a cut or empty array is refused: " + failure.Message());
        return 0;
    }
    fuzz::Check(!cut, "a cut array is refused");
    // A single row of a 2-D array is one signal, its columns the samples.
    const bool oneRow = twoAxes && rows == 1;
    const int64_t length = oneRow ? columns : rows;
    fuzz::Check(static_cast<int64_t>(values.size()) == length, "one value a row");
    const int64_t index = oneRow ? 0 : (column == 0 ? columns : column) - 1;
    for (int64_t r = 0; r < length; ++r) {
        const int64_t item = oneRow ? r : fortran ? index * rows + r : r * columns + index;
        const auto* p = reinterpret_cast<const unsigned char*>(items.data()) + item * type.bytes;
        fuzz::Check(Same(values[static_cast<std::size_t>(r)], Decode(type, p, bigEndian)),
                    "value " + std::to_string(r) + " is the plain decoding's");
    }
    return 0;
}
