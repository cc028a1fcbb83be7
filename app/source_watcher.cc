#include "app/source_watcher.h"

#include <QDir>
#include <QFileInfo>

namespace orbline {

SourceWatcher::SourceWatcher(QObject* parent) : QObject(parent) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  settle_.setTimerType(Qt::PreciseTimer);  // a coarse timer may come up to 5 % late
  connect(&settle_, &QTimer::timeout, this, &SourceWatcher::changed);
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &SourceWatcher::OnFileChanged);
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &SourceWatcher::OnFolderChanged);
}

void SourceWatcher::Watch(const QString& folder, const QStringList& names) {
  if (folder == folder_ && names == names_) return;
  Stop();
  if (folder.isEmpty()) return;
  folder_ = folder;
  names_ = names;
  watcher_.addPath(folder_);
  Rearm();
}

void SourceWatcher::Stop() {
  settle_.stop();
  const QStringList watched = watcher_.files() + watcher_.directories();
  if (!watched.isEmpty()) watcher_.removePaths(watched);
  folder_.clear();
  names_.clear();
  looks_.clear();
}

void SourceWatcher::Postpone() { settle_.start(); }

void SourceWatcher::OnFileChanged() {
  // Written in place, renamed over or deleted: every signal of a watched file is a change.
  Rearm();
  settle_.start();
}

void SourceWatcher::OnFolderChanged() {
  // Any file of the folder came, went or was renamed; only the watched ones count.
  if (Rearm()) settle_.start();
}

bool SourceWatcher::Rearm() {
  const QStringList files = watcher_.files();
  if (!files.isEmpty()) watcher_.removePaths(files);
  bool differs = false;
  for (const QString& name : names_) {
    const Look look = LookOf(name);
    if (look.exists) watcher_.addPath(QDir(folder_).filePath(name));
    auto [it, added] = looks_.try_emplace(name, look);
    if (!added && !(it->second == look)) {
      it->second = look;
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
