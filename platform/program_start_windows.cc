// windows.h first: the headers below need what it defines.
#include <windows.h>

#include <shellapi.h>

#include "platform/command_words.h"
#include "platform/program_start.h"
#include "platform/wide_text.h"

namespace orbline {

bool StartProgram(const std::vector<std::string>& words, std::string* err) {
  if (words.empty() || words[0].empty()) {
    *err = "no program given";
    return false;
  }
  std::wstring commandLine = WideFromUtf8(JoinWindowsCommandLine(words));
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  // A console editor gets a console of its own; a window program ignores it.
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr, nullptr,
                      &startup, &process)) {
    *err = words[0] + ": cannot be started (Windows error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool OpenInBrowser(const std::string& url, std::string* err) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", WideFromUtf8(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result > 32) return true;
  *err = "the browser could not be started (" + std::to_string(result) + ")";
  return false;
}

}  // namespace orbline
