// The field splitter in every mode: cutting a whole line field by field never reads outside it,
// always makes progress until the line is used up, and SplitInt agrees with Atoi of Split.
#include <cstdlib>
#include <string>

#include "document/field_splitter.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orbline;
  if (size < 4) return 0;
  FormatSettings settings = SettingsFromInput(data, size);
  std::string delimiter;
  DeriveDelimiter(settings.kugiri, delimiter);
  FieldSplitter split(settings, delimiter);
  const std::string line(reinterpret_cast<const char*>(data + 4), size - 4);
  std::string_view a = line, b = line;
  const char* const begin = line.data();
  const char* const end = begin + line.size();
  for (size_t calls = 0; calls <= line.size() + 2; ++calls) {
    const bool takeRest = data[3] & 4 ? calls % 3 == 2 : false;
    const std::string_view field = split.Split(a, takeRest);
    if (!field.empty() && (field.data() < begin || field.data() + field.size() > end)) abort();
    if (!a.empty() && (a.data() < begin || a.data() + a.size() != end)) abort();
    if (!takeRest) {
      if (split.SplitInt(b) != Atoi(field)) abort();
      if (a.size() != b.size()) abort();
    } else {
      b = a;
    }
    if (a.empty()) {
      if (!split.Split(a, false).empty()) abort();  // an empty line gives empty fields
      return 0;
    }
  }
  // Only a width of 0 or less may leave the line as it is.
  if (!(settings.kugiri == FormatSettings::kFixedWidth && settings.kankaku <= 0)) abort();
  return 0;
}
