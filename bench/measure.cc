// orbline_measure [-n RUNS] -- COMMAND [ARGS...]
//
// Runs a command RUNS times (default 20) with its standard output discarded and prints one line:
// "median_ms=<wall milliseconds> min_ms=<…> cpu_ms=<median user and system time, the command's
// own processes included> max_rss_kb=<largest peak resident set of any run>". On a busy machine
// the processor time stays near what the command costs where the wall time does not.
// Exits 1 when a run fails.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

int main(int argc, char** argv) {
  int runs = 20;
  int i = 1;
  if (i + 1 < argc && std::strcmp(argv[i], "-n") == 0) {
    runs = std::atoi(argv[i + 1]);
    i += 2;
  }
  if (i >= argc || std::strcmp(argv[i], "--") != 0 || i + 1 >= argc || runs < 1) {
    std::fprintf(stderr, "usage: orbline_measure [-n RUNS] -- COMMAND [ARGS...]\n");
    return 2;
  }
  char** command = argv + i + 1;
  std::vector<double> times, cpu;
  long maxRss = 0;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = fork();
    if (pid == 0) {
      int devnull = open("/dev/null", O_WRONLY);
      dup2(devnull, 1);
      execvp(command[0], command);
      _exit(127);
    }
    int status = 0;
    struct rusage usage;
    if (pid < 0 || wait4(pid, &status, 0, &usage) < 0) return 1;
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "orbline_measure: %s failed (status %d)\n", command[0], status);
      return 1;
    }
    maxRss = std::max(maxRss, usage.ru_maxrss);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    cpu.push_back(ms(usage.ru_utime) + ms(usage.ru_stime));
  }
  std::sort(times.begin(), times.end());
  std::sort(cpu.begin(), cpu.end());
  std::printf("median_ms=%.2f min_ms=%.2f cpu_ms=%.2f max_rss_kb=%ld\n", times[times.size() / 2], times[0],
              cpu[cpu.size() / 2], maxRss);
  return 0;
}
