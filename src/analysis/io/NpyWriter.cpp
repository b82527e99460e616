#include "analysis/io/NpyWriter.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "analysis/io/SampleWriter.h"

namespace analysis {
namespace {

// The magic, version 1.0, the header's length and a dict padded with blanks
// to a line feed that ends the header at a multiple of 64 bytes, so that
// the data is aligned as NumPy writes it.
std::string Header(std::size_t rows, std::size_t columns) {
    const char* order = std::endian::native == std::endian::little ? "<f8" : ">f8";
    std::string dict = std::string("{'descr': '") + order + "', 'fortran_order': False, 'shape': (" +
                       std::to_string(rows) + (columns == 1 ? "," : ", " + std::to_string(columns)) + "), }";
    const std::size_t prefix = 10;
    const std::size_t total = (prefix + dict.size() + 1 + 63) / 64 * 64;
    dict.append(total - prefix - dict.size() - 1, ' ');
    dict += '\n';
    const std::size_t length = dict.size();
    std::string header("\x93NUMPY\x01\x00", 8);
    header += static_cast<char>(length & 0xFF);
    header += static_cast<char>(length >> 8);
    return header + dict;
}

std::string Checked(std::span<const double> values, std::size_t columns, const std::string& name) {
    const auto bad = std::find_if(values.begin(), values.end(), [](double v) { return !std::isfinite(v); });
    if (bad != values.end()) {
        throw fw::SaveError(name, "sample " + std::to_string(bad - values.begin() + 1) + " is not a finite number");
    }
    return Header(values.size() / columns, columns);
}

}  // namespace

SampleFormat FormatOfName(const std::string& fileName) {
    const std::size_t n = fileName.size();
    if (n < 4 || fileName[n - 4] != '.') return SampleFormat::Text;
    std::string extension = fileName.substr(n - 3);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == "npy" ? SampleFormat::Npy : SampleFormat::Text;
}

std::string FormatNpy(std::span<const double> values, std::size_t columns, const std::string& name) {
    std::string bytes = Checked(values, columns, name);
    const std::size_t header = bytes.size();
    bytes.resize(header + values.size_bytes());
    std::memcpy(bytes.data() + header, values.data(), values.size_bytes());
    return bytes;
}

std::string FormatSamplesAs(SampleFormat format, std::span<const double> values, const std::string& name) {
    return format == SampleFormat::Npy ? FormatNpy(values, 1, name) : FormatSamples(values, name);
}

void WriteSamplesAs(SampleFormat format, int fd, std::span<const double> values, const std::string& name) {
    if (format == SampleFormat::Text) return WriteSamples(fd, values, name);
    const std::string header = Checked(values, 1, name);
    if (!fw::WriteAll(fd, header.data(), header.size()) ||
        !fw::WriteAll(fd, reinterpret_cast<const char*>(values.data()), values.size_bytes())) {
        throw fw::SaveError(name, std::strerror(errno));
    }
}

}  // namespace analysis
