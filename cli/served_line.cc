#include "cli/served_line.h"

#include "cli/terminal_findings.h"
#include "compiler/compile_to_file.h"
#include "compiler/compiler_texts.h"
#include "compiler/route_check.h"
#include "document/document.h"
#include "document/source_reader.h"
#include "platform/command_words.h"
#include "platform/disk_line_reader.h"
#include "platform/finding_sinks.h"
#include "platform/sjis.h"
#include "platform/utf8_path.h"
#include "view/display.h"
#include "view/row_description.h"
#include "view/svg_canvas.h"
#include "view/view_state.h"

namespace orbline {
namespace {

constexpr char kEditorSection[] = "editor";
constexpr char kEditorKey[] = "command";
constexpr std::size_t kDrawingsKept = 48;  // sizes and pages of one generation

std::unique_ptr<Document> DocumentWith(const FormatSettings& settings) {
  auto doc = std::make_unique<Document>();  // about 5 MB: never on a thread's stack
  doc->settings = settings;
  doc->DeriveDelimiter();
  return doc;
}

}  // namespace

ServedLine::ServedLine(Options options) : options_(std::move(options)), settings_(options_.settings) {
  if (options_.profile) editor_ = options_.profile->GetText(kEditorSection, kEditorKey, "");
  Check();
}

ServedLine::Drawing ServedLine::Draw(int mode, int page, int grid, int width, int height) {
  const auto key = std::make_tuple(mode, page, grid, width, height);
  std::uint64_t generation;
  FormatSettings settings;
  {
    std::lock_guard lock(mutex_);
    if (const auto it = drawings_.find(key); it != drawings_.end()) return it->second;
    generation = generation_;
    settings = settings_;
  }
  auto doc = DocumentWith(settings);
  DiskLineReader files(options_.folder);
  FindingList ignored;  // the problems list has them all
  ReadForDisplay(*doc, files, ignored, mode);
  ViewState state;
  state.displayMode = mode;
  state.eria = page;
  state.grid = grid;
  SvgCanvas canvas(width, height);
  canvas.FillSolidRect(0, 0, Canvas::kPageWidth, Canvas::kPageHeight, Rgb(255, 255, 255));
  Drawing drawing;
  drawing.generation = generation;
  drawing.status = SjisToUtf8(DrawDisplay(canvas, *doc, state));
  drawing.svg = canvas.Svg();
  drawing.rows = canvas.rows();
  for (const SvgCanvas::WrittenRow& row : drawing.rows)
    drawing.rowTexts.push_back(SjisToUtf8(DescribeRow(*doc, SourceRow{row.file, row.line})));
  std::lock_guard lock(mutex_);
  if (generation == generation_) {
    if (drawings_.size() >= kDrawingsKept) drawings_.clear();
    drawings_[key] = drawing;
  }
  return drawing;
}

void ServedLine::Check() {
  std::lock_guard one(checkMutex_);
  std::uint64_t generation;
  FormatSettings settings;
  {
    std::lock_guard lock(mutex_);
    generation = generation_;
    settings = settings_;
    if (problems_.generation == generation) return;  // checked meanwhile
  }
  auto doc = DocumentWith(settings);
  DiskLineReader files(options_.folder);
  std::vector<Finding> findings = CheckWholeRoute(*doc, files);
  std::lock_guard lock(mutex_);
  problems_.generation = generation;
  problems_.findings = std::move(findings);
}

ServedLine::Problems ServedLine::problems() const {
  std::lock_guard lock(mutex_);
  return problems_;
}

std::uint64_t ServedLine::generation() const {
  std::lock_guard lock(mutex_);
  return generation_;
}

FormatSettings ServedLine::settings() const {
  std::lock_guard lock(mutex_);
  return settings_;
}

std::string ServedLine::editorCommand() const {
  std::lock_guard lock(mutex_);
  return editor_;
}

void ServedLine::SourcesChanged() {
  {
    std::lock_guard lock(mutex_);
    ++generation_;
    drawings_.clear();
  }
  Check();
}

bool ServedLine::ApplySettings(const FormatSettings& settings, const std::string& editorCommand, std::string* err) {
  bool kept = true;
  {
    std::lock_guard lock(mutex_);
    settings_ = settings;
    editor_ = editorCommand;
    ++generation_;
    drawings_.clear();
    if (options_.profile) {
      settings.Save(*options_.profile);
      options_.profile->WriteText(kEditorSection, kEditorKey, editorCommand);
      kept = options_.profile->Save(err);
    }
  }
  Check();
  return kept;
}

ServedLine::OpenResult ServedLine::OpenFinding(std::size_t index, std::uint64_t listGeneration, std::string* where,
                                               std::string* err) {
  Finding finding;
  std::string editor;
  {
    std::lock_guard lock(mutex_);
    if (listGeneration != problems_.generation) return OpenResult::kStaleList;
    if (index >= problems_.findings.size()) return OpenResult::kNoSuchFinding;
    finding = problems_.findings[index];
    editor = editor_;
  }
  if (finding.file.empty()) return OpenResult::kNoFile;
  return OpenPlace(finding.file, finding.line, editor, where, err);
}

ServedLine::OpenResult ServedLine::OpenRow(std::size_t index, std::uint64_t generation, int mode, int page,
                                           std::string* where, std::string* err) {
  if (generation != this->generation()) return OpenResult::kStaleList;
  // Rows are counted alike at every size and with or without the grid, which has none.
  const Drawing drawing = Draw(mode, page, 0, Canvas::kPageWidth, Canvas::kPageHeight);
  if (drawing.generation != generation) return OpenResult::kStaleList;
  if (index >= drawing.rows.size()) return OpenResult::kNoSuchFinding;
  return OpenPlace(drawing.rows[index].file, drawing.rows[index].line, editorCommand(), where, err);
}

ServedLine::OpenResult ServedLine::OpenPlace(const std::string& file, int line, const std::string& editor,
                                             std::string* where, std::string* err) {
  *where = line > 0 ? file + ":" + std::to_string(line) : file;
  std::error_code ec;
  std::filesystem::path path = std::filesystem::absolute(options_.folder / PathFromUtf8(file), ec);
  if (ec) path = options_.folder / PathFromUtf8(file);
  const std::vector<std::string> words = EditorWords(editor, Utf8(path.lexically_normal()), line);
  if (words.empty()) return OpenResult::kNoEditor;
  return options_.start(words, err) ? OpenResult::kOpened : OpenResult::kFailed;
}

bool ServedLine::Compile(std::vector<std::string>* lines) {
  auto doc = DocumentWith(settings());
  DiskLineReader files(options_.folder);
  FindingList findings;
  bool ok = ReadAndCheck(*doc, files, findings, FaultMode::kFirstFault) &&
            CompileToFile(*doc, options_.output, files, findings);
  SortFindings(findings.findings);  // as orblinec compile prints them
  for (const Finding& f : findings.findings) lines->push_back(FindingLine(f, options_.folder));
  if (!ok) {
    lines->push_back(SjisToUtf8(GetCompilerText(kTextCompileCaption)) + ": " +
                     SjisToUtf8(GetCompilerText(kTextCompileFailed)));
    return false;
  }
  std::error_code ec;
  const auto size = std::filesystem::file_size(options_.output, ec);
  lines->push_back("wrote " + Utf8(options_.output.lexically_normal()) + " (" + std::to_string(size) + " bytes)");
  return true;
}

}  // namespace orbline
