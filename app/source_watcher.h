#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <map>
#include <set>

#include "platform/file_poller.h"

namespace orbline {

// Watches the source files of the line's folder and says, kSettleMs after the last change to one
// of them, which of them changed: an editor may write a file several times for one save.
//
// Editors save in three ways, and each is seen: writing the file in place (truncate and rewrite,
// seen on the file), writing a new file and renaming it over the old one, and deleting the file
// and creating it again (both seen on the folder, after which the new file is watched). Changes
// to the folder's other files are not reported.
//
// The folder itself may go and come back (a version-control checkout, an unzip, a rename away and
// back): while it is missing, the nearest folder above it that exists is watched instead, and once
// it is back its files are watched again and those that differ from before are reported.
class SourceWatcher : public QObject {
  Q_OBJECT

 public:
  static constexpr int kSettleMs = kSaveSettleMs;

  explicit SourceWatcher(QObject* parent = nullptr);

  // Watches the files `names` of `folder`, in place of what was watched; the same files again
  // change nothing. An empty folder watches nothing.
  void Watch(const QString& folder, const QStringList& names);
  // Stops watching and forgets a change not yet reported.
  void Stop();
  // Watches the folder and its files anew, as they are now, and forgets the changes not yet
  // reported: the caller has just read them all.
  void Rearm();
  // Reports again kSettleMs from now, with whatever changes come meanwhile, for a reader that
  // could not take the last report yet.
  void Postpone();

  QStringList names() const { return names_; }

 signals:
  // `changed` holds the names of the files that changed, in the order given to Watch; it may be
  // empty after Postpone.
  void changed(const QStringList& changed);

 private:
  // What a file looked like when last seen; a rename over it or its deletion shows here.
  struct Look {
    bool exists = false;
    qint64 size = -1;
    QDateTime modified;
    bool operator==(const Look&) const = default;
  };

  void OnFileChanged(const QString& path);
  void OnFolderChanged();
  void Settled();
  // Watches the folder, or while it is missing the nearest folder above it that exists.
  void FollowFolder();
  // Watches every named file that exists now, afresh (a file renamed over keeps no watch of the
  // old one), and notes how each looks; the names whose look differs from the one noted before
  // become pending. True when one did.
  bool NoteFiles();
  Look LookOf(const QString& name) const;

  QFileSystemWatcher watcher_;
  QTimer settle_;
  QString folder_;
  QStringList names_;
  std::map<QString, Look> looks_;
  std::set<QString> pending_;  // changed, not yet reported
};

}  // namespace orbline
