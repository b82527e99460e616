#pragma once
// The file formats a picture of the program's charts is written in, told by
// the end of the file's name. Kept apart from the drawing so that command
// lines can be checked without a display.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// In the order the window's export filter lists them.
enum class PictureFormat { Png, Svg, Pdf };

inline constexpr std::array<std::string_view, 3> kPictureExtensions{"png", "svg", "pdf"};

inline std::string_view PictureExtension(PictureFormat format) {
    return kPictureExtensions[static_cast<std::size_t>(format)];
}

// ".png", ".svg" or ".pdf" in any case after a name of at least one
// character; nullopt for anything else.
inline std::optional<PictureFormat> PictureFormatOf(const std::string& fileName) {
    const std::size_t slash = fileName.rfind('/');
    const std::string name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    if (name.size() < 5 || name[name.size() - 4] != '.') return std::nullopt;
    std::string suffix = name.substr(name.size() - 3);
    for (char& c : suffix) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    for (std::size_t i = 0; i < kPictureExtensions.size(); ++i) {
        if (suffix == kPictureExtensions[i]) return static_cast<PictureFormat>(i);
    }
    return std::nullopt;
}

}  // namespace app
