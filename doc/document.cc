#include "doc/document.h"

#include "doc/error_code.h"
#include "doc/field_splitter.h"

namespace orbline {
namespace {

// Empties a text and gives back its storage, so that a long text read once does not hold its
// memory until the program ends.
void Release(Text& t) { Text().swap(t); }

}  // namespace

Document::Document(const Services& services) : services_(services) {
  ResetTables();
  maxCalcStation = 0;
  settings = FormatSettings::Load(services_.profile);
  targetFileName.clear();
  DeriveDelimiter();
}

Document::~Document() { settings.Save(services_.profile); }

void Document::ResetTables() {
  for (Text& t : routeInfo) Release(t);
  kindColour.fill(0);
  for (auto& row : kindTexts)
    for (Text& t : row) Release(t);
  for (auto& row : stationValues) row.fill(0);
  for (auto& row : stationTexts)
    for (Text& t : row) Release(t);
  for (auto& row : mapValues) row.fill(0);
  for (Text& t : mapTexts) Release(t);
  for (auto& day : trainValues)
    for (auto& row : day) row.fill(0);
  for (auto& day : trainTexts)
    for (auto& row : day)
      for (Text& t : row) Release(t);
}

void Document::ReportError(int code, int a, int b) {
  services_.messages.ShowError(code, a, b, FormatErrorBox(code, a, b));
}

void Document::DeriveDelimiter() { orbline::DeriveDelimiter(settings.kugiri, delimiter); }

std::string_view Document::SplitField(std::string_view& line, bool takeRest) const {
  return FieldSplitter(settings, delimiter).Split(line, takeRest);
}

}  // namespace orbline
