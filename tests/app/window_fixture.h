#pragma once

#include <QTemporaryDir>

#include <memory>
#include <string>

#include "app/main_window.h"
#include "document/document.h"
#include "platform/disk_line_reader.h"
#include "platform/finding_sinks.h"
#include "platform/fixed_save_prompt.h"
#include "tests/memory_profile_store.h"
#include "tests/recording_message_sink.h"
#include "platform/services.h"

namespace orbline {

// A window over a line's folder (the sample line unless told), with recorded message boxes, a
// profile in memory and a scripted save prompt.
struct WindowFixture {
  explicit WindowFixture(const std::string& folder = ORBLINE_SOURCE_DIR "/examples/sample")
      : files(folder), doc(std::make_unique<Document>()) {
    window = std::make_unique<MainWindow>(*doc, profile, services);
    window->resize(800, 600);
  }
  DiskLineReader files;
  MemoryProfileStore profile;
  RecordingMessageSink messages;
  BoxFindings boxes{messages};
  WaitCursor cursor;
  FixedSavePrompt prompt;
  Services services{files, boxes, messages, cursor, &prompt};
  std::unique_ptr<Document> doc;
  std::unique_ptr<MainWindow> window;
};

}  // namespace orbline
