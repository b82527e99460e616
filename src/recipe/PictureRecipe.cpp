#include "recipe/PictureRecipe.h"

#include <array>
#include <cstdint>

#include "recipe/Recipe.h"

namespace recipe {
namespace {

constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);
constexpr std::string_view kKeyword = "quelmar-recipe";
constexpr std::string_view kSvgOpen = "<metadata id=\"quelmar-recipe\">";
constexpr std::string_view kSvgClose = "</metadata>";
constexpr std::string_view kXmpOpen = "<quelmar:recipe>";
constexpr std::string_view kXmpClose = "</quelmar:recipe>";

uint32_t Crc32(std::string_view bytes) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (const char byte : bytes) c = table[(c ^ static_cast<uint8_t>(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void AppendBigEndian(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

uint32_t BigEndianAt(std::string_view bytes, std::size_t at) {
    uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
    return value;
}

std::string XmlEscaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

std::string XmlUnescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string_view rest = text.substr(i);
        if (rest.starts_with("&amp;")) {
            out += '&';
            i += 4;
        } else if (rest.starts_with("&lt;")) {
            out += '<';
            i += 3;
        } else if (rest.starts_with("&gt;")) {
            out += '>';
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The text between open and close, unescaped; nullopt when there is none.
std::optional<std::string> Between(std::string_view bytes, std::string_view open, std::string_view close) {
    const std::size_t start = bytes.find(open);
    if (start == std::string_view::npos) return std::nullopt;
    const std::size_t end = bytes.find(close, start + open.size());
    if (end == std::string_view::npos) return std::nullopt;
    return XmlUnescaped(bytes.substr(start + open.size(), end - start - open.size()));
}

std::optional<std::string> PngText(std::string_view png) {
    for (std::size_t at = kPngSignature.size(); at + 12 <= png.size();) {
        const uint32_t length = BigEndianAt(png, at);
        if (length > png.size() - at - 12) break;
        const std::string_view type = png.substr(at + 4, 4);
        const std::string_view data = png.substr(at + 8, length);
        // Keyword, NUL, no compression (two zero bytes), empty language and
        // translated keyword (two NULs), then the text.
        const std::size_t header = kKeyword.size() + 5;
        if (type == "iTXt" && data.size() >= header && data.starts_with(kKeyword) &&
            data.substr(kKeyword.size(), 5) == std::string_view("\0\0\0\0\0", 5)) {
            return std::string(data.substr(header));
        }
        at += 12 + length;
    }
    return std::nullopt;
}

}  // namespace

std::string EmbedInPng(std::string_view png, const std::string& text) {
    if (!png.starts_with(kPngSignature) || png.size() < kPngSignature.size() + 12 ||
        png.substr(png.size() - 8, 4) != "IEND") {
        throw RecipeError("picture: not a PNG file");
    }
    std::string chunk = "iTXt";
    chunk += kKeyword;
    chunk.append(5, '\0');
    chunk += text;
    std::string out(png.substr(0, png.size() - 12));
    AppendBigEndian(out, static_cast<uint32_t>(chunk.size() - 4));
    out += chunk;
    AppendBigEndian(out, Crc32(chunk));
    out += png.substr(png.size() - 12);
    return out;
}

std::string EmbedInSvg(std::string_view svg, const std::string& text) {
    const std::size_t root = svg.find("<svg");
    const std::size_t end = root == std::string_view::npos ? root : svg.find('>', root);
    if (end == std::string_view::npos) throw RecipeError("picture: not an SVG file");
    std::string out(svg.substr(0, end + 1));
    out += "\n";
    out += kSvgOpen;
    out += XmlEscaped(text);
    out += kSvgClose;
    out += svg.substr(end + 1);
    return out;
}

std::string XmpPacket(const std::string& text) {
    return "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
           "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
           "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
           "<rdf:Description rdf:about=\"\" xmlns:quelmar=\"urn:quelmar:recipe:1\">\n" +
           std::string(kXmpOpen) + XmlEscaped(text) + std::string(kXmpClose) +
           "\n</rdf:Description>\n</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end=\"w\"?>";
}

std::optional<std::string> RecipeTextInPicture(std::string_view bytes) {
    std::optional<std::string> text;
    if (bytes.starts_with(kPngSignature)) {
        text = PngText(bytes);
    } else if (bytes.starts_with("%PDF")) {
        text = Between(bytes, kXmpOpen, kXmpClose);
    } else if (bytes.starts_with("<?xml") || bytes.starts_with("<svg")) {
        text = Between(bytes, kSvgOpen, kSvgClose);
    } else {
        return std::nullopt;
    }
    if (!text) throw RecipeError("picture: it holds no recipe");
    return text;
}

}  // namespace recipe
