#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "platform/program_start.h"

extern char** environ;

namespace orbline {

bool StartProgram(const std::vector<std::string>& words, std::string* err) {
  if (words.empty() || words[0].empty()) {
    *err = "no program given";
    return false;
  }
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);  // the server's sockets stay here
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);  // Ctrl+C in our terminal is not its
  pid_t pid = 0;
  const int status = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (status != 0) {
    *err = words[0] + ": " + std::strerror(status);
    return false;
  }
  // Reaped when it ends, so that no zombie stays behind.
  std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
  return true;
}

bool OpenInBrowser(const std::string& url, std::string* err) { return StartProgram({"xdg-open", url}, err); }

}  // namespace orbline
