#pragma once

#include <QObject>

#include <memory>
#include <optional>
#include <vector>

#include "document/format_settings.h"
#include "platform/finding.h"

class QThread;

namespace orbline {

class Document;
class LineReader;

// Checks the whole line for the problems list on a thread of its own, into a document of its own,
// so that neither the display's document nor its repaint waits for it. The findings arrive on the
// window's thread. A check asked for while one runs is run once after it, and the findings of the
// one that ran are dropped as out of date.
class LineChecker : public QObject {
  Q_OBJECT

 public:
  // `files` is opened from the checking thread as well (a reader of files on disk keeps no state).
  explicit LineChecker(LineReader& files, QObject* parent = nullptr);
  // Waits for a running check.
  ~LineChecker() override;

  // Checks the line as read with `settings`.
  void Start(const FormatSettings& settings);

 signals:
  // Every finding of the line, sorted by file and line.
  void checked(const std::vector<Finding>& findings);

 private:
  void Finished();

  LineReader& files_;
  std::unique_ptr<Document> doc_;  // made at the first check; it is large
  std::vector<Finding> findings_;
  QThread* thread_ = nullptr;
  std::optional<FormatSettings> next_;
};

}  // namespace orbline
