#pragma once
// The file formats a picture of the program's charts is written in, told by
// the end of the file's name. Kept apart from the drawing so that command
// lines can be checked without a display.

#include <cstddef>
#include <optional>
#include <string>

namespace app {

enum class PictureFormat { Png, Svg, Pdf };

// ".png", ".svg" or ".pdf" in any case after a name of at least one
// character; nullopt for anything else.
inline std::optional<PictureFormat> PictureFormatOf(const std::string& fileName)
{
    const std::size_t slash = fileName.rfind('/');
    const std::string name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    if (name.size() < 5 || name[name.size() - 4] != '.') return std::nullopt;
    std::string suffix = name.substr(name.size() - 3);
    for (char& c : suffix) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    if (suffix == "png") return PictureFormat::Png;
    if (suffix == "svg") return PictureFormat::Svg;
    if (suffix == "pdf") return PictureFormat::Pdf;
    return std::nullopt;
}

}  // namespace app
