// orblinec: Zelkor Maker from the command line. See kUsage for what it does.
#include <string>
#include <vector>

#include "cli/orblinec_main.h"
#include "platform/console.h"

int main(int argc, char** argv) {
  orbline::SetUpConsole();
  return orbline::RunOrblinec(std::vector<std::string>(argv + 1, argv + argc));
}
