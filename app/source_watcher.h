#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <map>

namespace orbline {

// Watches some source files of the line's folder and says once, kSettleMs after the last change
// to one of them, that they changed: an editor may write a file several times for one save.
//
// Editors save in three ways, and each is seen: writing the file in place (truncate and rewrite,
// seen on the file), writing a new file and renaming it over the old one, and deleting the file
// and creating it again (both seen on the folder, after which the new file is watched). Changes
// to the folder's other files are not reported.
class SourceWatcher : public QObject {
  Q_OBJECT

 public:
  static constexpr int kSettleMs = 250;

  explicit SourceWatcher(QObject* parent = nullptr);

  // Watches the files `names` of `folder`, in place of what was watched; the same files again
  // change nothing. An empty folder watches nothing.
  void Watch(const QString& folder, const QStringList& names);
  // Stops watching and forgets a change not yet reported.
  void Stop();
  // Reports the last change again kSettleMs from now, for a reader that could not take it yet.
  void Postpone();

  QStringList names() const { return names_; }

 signals:
  void changed();

 private:
  // What a file looked like when last seen; a rename over it or its deletion shows here.
  struct Look {
    bool exists = false;
    qint64 size = -1;
    QDateTime modified;
    bool operator==(const Look&) const = default;
  };

  void OnFileChanged();
  void OnFolderChanged();
  // Watches every named file that exists now, afresh (a file renamed over keeps no watch of the
  // old one), and notes how each looks. True when a look differs from the one noted before.
  bool Rearm();
  Look LookOf(const QString& name) const;

  QFileSystemWatcher watcher_;
  QTimer settle_;
  QString folder_;
  QStringList names_;
  std::map<QString, Look> looks_;
};

}  // namespace orbline
