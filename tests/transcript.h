#pragma once

// Commands run as an author runs them, each line with bash, and what they said as one text.
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "test_files.h"

namespace orbline {

inline void Replace(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
    text.replace(at, from.size(), to);
}

#ifndef _WIN32

// Runs each line in `dir` with orblinec on the PATH, $SAMPLE and $SAMPLE_COMMA naming the example
// lines and ORBLINE_PROFILE naming profile.ini there. Returns each command with what it wrote to
// standard output, its standard error as lines starting "! ", and its status when not 0; the
// folder's path reads as $PWD, the sample's as $SAMPLE. Empty lines are skipped, and so are comments,
// but for those that start "# " after a command's output, which are kept as headings.
inline std::string RunTranscript(const std::filesystem::path& dir, const std::vector<std::string>& lines) {
  const std::string sample = ORBLINE_SOURCE_DIR "/examples/sample";
  const std::string env = "cd '" + dir.string() + "' && export LC_ALL=C.UTF-8 PATH='" +
                          std::filesystem::path(ORBLINEC_PATH).parent_path().string() + "':\"$PATH\" SAMPLE='" +
                          sample + "' SAMPLE_COMMA='" + sample + "-comma' ORBLINE_PROFILE='" +
                          (dir / "profile.ini").string() + "' && ";
  std::string transcript;
  for (const std::string& line : lines) {
    if (line.empty() || line[0] == '#') {
      if (line.rfind("# ", 0) == 0 && transcript.size() > 0 && transcript.back() == '\n')
        transcript += "\n" + line + "\n";
      continue;
    }
    std::string command = env + "{ " + line + "; } >.out 2>.err";
    Replace(command, "\\", "\\\\");
    Replace(command, "\"", "\\\"");
    Replace(command, "$", "\\$");
    const int raw = std::system(("bash -c \"" + command + "\"").c_str());
    std::string said = FileBytes(dir / ".out"), err = FileBytes(dir / ".err");
    for (size_t at = 0; at < err.size(); at = err.find('\n', at) + 1)
      said += "! " + err.substr(at, err.find('\n', at) - at) + "\n";
    if (const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1) said += "exit " + std::to_string(status) + "\n";
    Replace(said, dir.string(), "$PWD");
    Replace(said, sample, "$SAMPLE");
    transcript += "$ " + line + "\n" + said;
  }
  return transcript;
}
#endif

}  // namespace orbline
