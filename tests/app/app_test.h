#pragma once

#include <QObject>

#include <functional>
#include <map>
#include <string>

namespace orbline {

// QtTest classes of the application register themselves here; the test program runs one by name
// (as CTest does) or all of them.
std::map<std::string, std::function<QObject*()>>& AppTestRegistry();

struct AppTestRegistrar {
  AppTestRegistrar(const char* name, std::function<QObject*()> make) { AppTestRegistry()[name] = std::move(make); }
};

}  // namespace orbline

#define ORBLINE_APP_TEST(Class) \
  static ::orbline::AppTestRegistrar registrar_##Class(#Class, [] { return new Class; })
