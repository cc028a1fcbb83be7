#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace orbline {

class Document;
struct CommandLine;
struct ViewState;

// Draws `state`'s display of `doc` at width × height pixels into `path`; false with `*err` set when
// it could not be written.
using DrawImage = std::function<bool(const Document& doc, const ViewState& state, int width, int height,
                                     const std::filesystem::path& path, std::string* err)>;

// "render": reads the display's files as the window's test command does (a fault is reported and
// what was read is drawn all the same), draws it with `draw` and says what it wrote. Exit status 0,
// 1 after a fault or a failed write, 2 for an image name of another kind.
int RunRenderCommand(const CommandLine& cl, const DrawImage& draw);

// True when `path` ends in `ending` (".svg"), in any case.
bool HasEnding(const std::filesystem::path& path, const char* ending);

// The display as SVG through SvgCanvas, on the view's white background; the file replaces an old
// one only once it is whole. Needs none of Qt: every build writes SVG so.
bool WriteSvgImage(const Document& doc, const ViewState& state, int width, int height,
                   const std::filesystem::path& path, std::string* err);

}  // namespace orbline
