#include "app/source_watcher.h"

#include <QDir>
#include <QFileInfo>

namespace orbline {

SourceWatcher::SourceWatcher(QObject* parent) : QObject(parent) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  settle_.setTimerType(Qt::PreciseTimer);  // a coarse timer may come up to 5 % late
  connect(&settle_, &QTimer::timeout, this, &SourceWatcher::Settled);
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &SourceWatcher::OnFileChanged);
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &SourceWatcher::OnFolderChanged);
}

void SourceWatcher::Watch(const QString& folder, const QStringList& names) {
  if (folder == folder_ && names == names_) return;
  Stop();
  if (folder.isEmpty()) return;
  folder_ = folder;
  names_ = names;
  Rearm();
}

void SourceWatcher::Stop() {
  settle_.stop();
  const QStringList watched = watcher_.files() + watcher_.directories();
  if (!watched.isEmpty()) watcher_.removePaths(watched);
  folder_.clear();
  names_.clear();
  looks_.clear();
  pending_.clear();
}

void SourceWatcher::Rearm() {
  if (folder_.isEmpty()) return;
  // A watch still standing may be of a folder that has been replaced since, its signals not read
  // yet; only new watches are sure to be of what the names stand for now.
  const QStringList folders = watcher_.directories();
  if (!folders.isEmpty()) watcher_.removePaths(folders);
  FollowFolder();
  NoteFiles();
  settle_.stop();
  pending_.clear();
}

void SourceWatcher::Postpone() { settle_.start(); }

void SourceWatcher::OnFileChanged(const QString& path) {
  // Written in place, renamed over or deleted: every signal of a watched file is a change.
  const QString name = QFileInfo(path).fileName();
  if (names_.contains(name)) pending_.insert(name);
  NoteFiles();
  settle_.start();
}

void SourceWatcher::OnFolderChanged() {
  // A file of the folder came, went or was renamed, or the folder itself went or came back (or,
  // while it is missing, something changed in the folder watched in its place): only the watched
  // files count.
  FollowFolder();
  if (NoteFiles()) settle_.start();
}

void SourceWatcher::Settled() {
  QStringList names;
  for (const QString& name : names_)
    if (pending_.count(name) != 0) names.append(name);
  pending_.clear();
  emit changed(names);
}

void SourceWatcher::FollowFolder() {
  // A few rounds: the folder, or one on the way to it, may come while a watch is being set.
  for (int round = 0; round < 8; ++round) {
    QString nearest = folder_;
    while (!QFileInfo(nearest).isDir()) {
      const QString up = QFileInfo(nearest).path();
      if (up == nearest) return;
      nearest = up;
    }
    const QStringList watched = watcher_.directories();
    if (watched == QStringList{nearest}) return;
    if (!watched.isEmpty()) watcher_.removePaths(watched);
    watcher_.addPath(nearest);
  }
}

bool SourceWatcher::NoteFiles() {
  const QStringList files = watcher_.files();
  if (!files.isEmpty()) watcher_.removePaths(files);
  bool differs = false;
  for (const QString& name : names_) {
    const Look look = LookOf(name);
    if (look.exists) watcher_.addPath(QDir(folder_).filePath(name));
    auto [it, added] = looks_.try_emplace(name, look);
    if (!added && !(it->second == look)) {
      it->second = look;
      pending_.insert(name);
      differs = true;
    }
  }
  return differs;
}

SourceWatcher::Look SourceWatcher::LookOf(const QString& name) const {
  const QFileInfo info(QDir(folder_).filePath(name));
  if (!info.exists()) return {};
  return {true, info.size(), info.fileTime(QFileDevice::FileModificationTime)};
}

}  // namespace orbline
