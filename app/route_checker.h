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

// Checks the whole route for the problems list on a thread of its own, into a document of its own,
// so that neither the display's document nor its repaint waits for it. The findings arrive on the
// window's thread. A check asked for while one runs is run once after it, and the findings of the
// one that ran are dropped as out of date.
class RouteChecker : public QObject {
  Q_OBJECT

 public:
  // `files` is opened from the checking thread as well (a reader of files on disk keeps no state).
  explicit RouteChecker(LineReader& files, QObject* parent = nullptr);
  // Waits for a running check.
  ~RouteChecker() override;

  // Checks the route as read with `settings`.
  void Start(const FormatSettings& settings);

 signals:
  // Every finding of the route, sorted by file and line.
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
