#pragma once

#include <filesystem>
#include <string>

namespace orbline {

class Document;
struct ViewState;

// Draws the display `state` shows, with the window's own drawing code, into an image of
// width × height pixels and writes it to `path`: PNG, SVG (WriteSvgImage) or PDF by the name's ending.
// A QGuiApplication must exist. Returns false with `*error` set when the image could not be written.
bool RenderDisplay(const Document& doc, const ViewState& state, int width, int height,
                   const std::filesystem::path& path, std::string* error);

}  // namespace orbline
