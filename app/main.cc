// orbline: the Zelkor Maker window.
//
//   orbline [FOLDER]
//
// The source files are read from FOLDER, or from the folder the program was started in.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <memory>

#include "app/application.h"
#include "app/main_window.h"
#include "app/orbline_view.h"
#include "app/qt_services.h"
#include "app/termination.h"
#include "document/document.h"
#include "platform/disk_line_reader.h"
#include "platform/qt/qsettings_profile_store.h"

int main(int argc, char** argv) {
  QElapsedTimer sinceStart;
  sinceStart.start();
  QApplication app(argc, argv);
  orbline::SetUpApplication(app);

  QString folder = QDir::currentPath();
  const QStringList args = QApplication::arguments();
  if (args.size() > 1) {
    const QFileInfo given(args.at(1));
    if (!given.isDir()) {
      std::fprintf(stderr, "orbline: %s: no such folder\nusage: orbline [FOLDER]\n",
                   args.at(1).toLocal8Bit().constData());
      return 2;
    }
    folder = given.absoluteFilePath();
  }

  orbline::QSettingsProfileStore profile;
  orbline::QtMessageSink messages;
  orbline::QtSavePrompt savePrompt(folder);
  orbline::DiskLineReader files(QFile::encodeName(folder).toStdString());
  auto doc = std::make_unique<orbline::Document>();
  const orbline::WindowServices services{files, messages, savePrompt};
  int status;
  {
    orbline::MainWindow window(*doc, profile, services);
    // For measuring start-up: report the time to the first painted window, then end.
    if (qEnvironmentVariableIsSet("ORBLINE_QUIT_AFTER_FIRST_PAINT")) {
      QObject::connect(window.view(), &orbline::OrblineView::statusText, &app, [&] {
        std::printf("first paint after %lld ms\n", static_cast<long long>(sinceStart.elapsed()));
        std::fflush(stdout);
        QTimer::singleShot(0, &app, &QApplication::quit);
      });
    }
    // For measuring reloads (bench/reload_speed.sh): say when the first paint is done, then the
    // wall-clock time at which each reload has repainted the display, and at which each check of
    // the whole line has refreshed the problems list.
    if (qEnvironmentVariableIsSet("ORBLINE_REPORT_RELOADS")) {
      QObject::connect(window.view(), &orbline::OrblineView::statusText, &app, [] {
        static bool first = true;
        if (first) std::printf("painted\n");
        first = false;
        std::fflush(stdout);
      });
      const auto report = [](const char* what) {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::printf("%s %lld\n", what, static_cast<long long>(std::chrono::nanoseconds(now).count()));
        std::fflush(stdout);
      };
      QObject::connect(&window, &orbline::MainWindow::reloaded, &app, [report] { report("reloaded"); });
      QObject::connect(&window, &orbline::MainWindow::problemsChecked, &app, [report] { report("checked"); });
    }
    // Asked to end from outside, the window closes as with the exit command.
    orbline::HandleTerminationSignals([&window] { window.close(); });
    window.show();
    status = app.exec();
    window.SaveSettings();
  }
  return status;
}
