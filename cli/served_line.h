#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "document/format_settings.h"
#include "platform/finding.h"
#include "platform/ini_profile_store.h"
#include "view/svg_canvas.h"

namespace orbline {

// Starts a program (the author's editor); StartProgram, or a stand-in in tests.
using ProgramStarter = std::function<bool(const std::vector<std::string>& words, std::string* err)>;

// One line's folder as orblinec serve shows it: its displays drawn as SVG, every finding of the
// whole line, the settings and editor command of the profile, and compiling. Each change to a
// source file or to the settings makes a new generation; the problems list is the findings of one
// generation, which a request naming a finding must name. Safe to use from several threads.
class ServedLine {
 public:
  struct Options {
    std::filesystem::path folder;              // the line's source files
    std::filesystem::path output;              // the compiled file
    FormatSettings settings;                   // as the run starts
    std::unique_ptr<IniProfileStore> profile;  // where the form's settings are kept; null: nowhere
    ProgramStarter start;
  };
  explicit ServedLine(Options options);

  // A display drawn at width × height pixels, with its status pane text (UTF-8) and its rows: the
  // source row of each element that carries one, as the SVG counts them (SvgCanvas::rows), each
  // described as the window's pointer pane does ("map.txt:24  44 ラベル 汐凪港", UTF-8).
  struct Drawing {
    std::uint64_t generation = 0;
    std::string svg;
    std::string status;
    std::vector<SvgCanvas::WrittenRow> rows;
    std::vector<std::string> rowTexts;
  };
  // Reads the files of display `mode` as the window's test command does, and draws it; the
  // drawing of the same generation and size is kept for the next request.
  Drawing Draw(int mode, int page, int grid, int width, int height);

  // The problems list: every finding of the line, sorted by file and line, checked at generation
  // `generation`.
  struct Problems {
    std::uint64_t generation = 0;
    std::vector<Finding> findings;
  };
  Problems problems() const;
  std::uint64_t generation() const;
  FormatSettings settings() const;
  std::string editorCommand() const;
  const std::filesystem::path& folder() const { return options_.folder; }
  const std::filesystem::path& output() const { return options_.output; }
  bool keepsSettings() const { return options_.profile != nullptr; }

  // A source file changed: a new generation, whose findings are checked at once.
  void SourcesChanged();

  // Takes new settings and the editor command for this run and keeps them in the profile; a new
  // generation. False with `*err` when the profile could not be written (the settings apply all
  // the same).
  bool ApplySettings(const FormatSettings& settings, const std::string& editorCommand, std::string* err);

  // Opens finding `index` of the problems list of generation `listGeneration` in the editor.
  enum class OpenResult { kOpened, kNoEditor, kStaleList, kNoSuchFinding, kNoFile, kFailed };
  // `*where` is "file:line" (or the file alone for a finding about the whole file), `*err` why
  // the editor could not be started.
  OpenResult OpenFinding(std::size_t index, std::uint64_t listGeneration, std::string* where, std::string* err);

  // Opens row `index` of display `mode`'s page `page`, as drawn at generation `generation`, in the
  // editor. kStaleList when the drawing has changed since, kNoSuchFinding for no such row.
  OpenResult OpenRow(std::size_t index, std::uint64_t generation, int mode, int page, std::string* where,
                     std::string* err);

  // Compiles as "orblinec compile" does into output(): `*lines` are the findings and the outcome,
  // one line each. True when the file was written.
  bool Compile(std::vector<std::string>* lines);

 private:
  void Check();
  // Opens `file` of the line at `line` (0: the file as a whole) in `editor`.
  OpenResult OpenPlace(const std::string& file, int line, const std::string& editor, std::string* where,
                       std::string* err);

  Options options_;
  mutable std::mutex mutex_;
  std::uint64_t generation_ = 1;
  FormatSettings settings_;
  std::string editor_;
  Problems problems_;
  std::mutex checkMutex_;  // one check of the whole line at a time
  // Drawings of the current generation by mode, page, grid, width, height.
  std::map<std::tuple<int, int, int, int, int>, Drawing> drawings_;
};

}  // namespace orbline
