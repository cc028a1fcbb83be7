// Runs the application's QtTest classes: "orbline_app_tests Class [QtTest options]" runs one,
// no argument runs them all.
#include <QApplication>
#include <QTest>

#include <cstring>
#include <memory>
#include <vector>

#include "app/application.h"
#include "tests/app/app_test.h"

namespace orbline {
std::map<std::string, std::function<QObject*()>>& AppTestRegistry() {
  static std::map<std::string, std::function<QObject*()>> registry;
  return registry;
}
}  // namespace orbline

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  orbline::SetUpApplication(app);
  auto& registry = orbline::AppTestRegistry();
  std::vector<std::string> names;
  std::vector<char*> rest = {argv[0]};
  if (argc > 1 && registry.count(argv[1])) {
    names.push_back(argv[1]);
    for (int i = 2; i < argc; ++i) rest.push_back(argv[i]);
  } else {
    for (const auto& entry : registry) names.push_back(entry.first);
    for (int i = 1; i < argc; ++i) rest.push_back(argv[i]);
  }
  int failed = 0;
  for (const std::string& name : names) {
    std::unique_ptr<QObject> test(registry[name]());
    failed += QTest::qExec(test.get(), static_cast<int>(rest.size()), rest.data());
  }
  return failed == 0 ? 0 : 1;
}
