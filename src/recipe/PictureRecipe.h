#pragma once
// A recipe carried inside the picture it made: in a PNG as an iTXt chunk, in
// an SVG as its <metadata>, in a PDF in its XMP document metadata. Byte work
// only, so the recipe layer stays free of any drawing library.

#include <optional>
#include <string>
#include <string_view>

namespace recipe {

// The PNG with an iTXt chunk "quelmar-recipe" holding text before its IEND.
// Throws RecipeError for bytes that are no PNG.
std::string EmbedInPng(std::string_view png, const std::string& text);

// The SVG with <metadata id="quelmar-recipe"> holding text as the first child
// of its root. Throws RecipeError for bytes without an <svg> element.
std::string EmbedInSvg(std::string_view svg, const std::string& text);

// An XMP packet holding text, for a PDF writer's document metadata.
std::string XmpPacket(const std::string& text);

// The recipe text a PNG, SVG or PDF holds; nullopt for bytes that are none of
// those pictures. Throws RecipeError for a picture that holds no recipe.
std::optional<std::string> RecipeTextInPicture(std::string_view bytes);

}  // namespace recipe
