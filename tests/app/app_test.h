#pragma once

// What the window, view and dialog tests share. Each test class runs in a program of its own, set up
// as the application is.

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <utility>

#include "app/application.h"
#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/orbline_view.h"
#include "document/document.h"
#include "platform/disk_line_reader.h"
#include "platform/sjis.h"
#include "tests/app/fixed_save_prompt.h"
#include "tests/app/recording_message_sink.h"
#include "tests/memory_profile_store.h"

namespace orbline {

// A window over a line's folder (the sample line unless told), with recorded message boxes, a
// profile in memory and a scripted save prompt.
struct WindowFixture {
  explicit WindowFixture(const QString& folder = QStringLiteral(ORBLINE_SOURCE_DIR "/examples/sample"))
      : files(QFile::encodeName(folder).toStdString()) {}
  DiskLineReader files;
  MemoryProfileStore profile;
  RecordingMessageSink messages;
  FixedSavePrompt prompt;
  WindowServices services{files, messages, prompt};
  std::unique_ptr<Document> doc = std::make_unique<Document>();
  std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(*doc, profile, services);
};

// How many pixels of `area` are `colour`, and the smallest rectangle holding all the others.
inline std::pair<int, QRect> Scan(const QImage& image, const QRect& area, QRgb colour) {
  std::pair<int, QRect> result;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      result.first += image.pixel(x, y) == colour;
      if (image.pixel(x, y) != colour) result.second |= QRect(x, y, 1, 1);
    }
  return result;
}

}  // namespace orbline
