#pragma once

#include <filesystem>
#include <string>

namespace orbline {

// Asks where to save the compiled file.
class SaveNamePrompt {
 public:
  struct Request {
    std::string defaultExtension;         // "zkf", without the dot
    std::string initialName;              // file name offered, without folder
    std::filesystem::path initialFolder;  // where the prompt starts; empty for the working folder
  };
  struct Choice {
    std::filesystem::path folder;  // the folder chosen
    std::string fileName;          // the name chosen, without folder
  };

  virtual ~SaveNamePrompt() = default;
  // True with the choice filled on OK; false when the user cancelled.
  virtual bool Ask(const Request& request, Choice* choice) = 0;
};

}  // namespace orbline
