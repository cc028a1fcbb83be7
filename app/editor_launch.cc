#include "app/editor_launch.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace orbline {
namespace {

constexpr QLatin1String kFile("{file}");
constexpr QLatin1String kLine("{line}");

}  // namespace

EditorCall EditorCallFor(const QString& commandLine, const QString& path, int line) {
  QStringList words = QProcess::splitCommand(commandLine);
  if (words.isEmpty()) return {};
  const QString lineText = QString::number(line > 0 ? line : 1);
  bool named = false;
  for (QString& word : words) {
    named |= word.contains(kFile);
    word.replace(kLine, lineText);
    word.replace(kFile, path);  // last: a path may itself hold "{line}"
  }
  if (!named) words.append(path);
  EditorCall call;
  call.program = words.takeFirst();
  call.arguments = words;
  return call;
}

bool LaunchEditor(const QString& commandLine, const QString& path, int line) {
  const EditorCall call = EditorCallFor(commandLine, path, line);
  if (call.program.isEmpty()) return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  return QProcess::startDetached(call.program, call.arguments);
}

}  // namespace orbline
