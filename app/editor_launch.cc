#include "app/editor_launch.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include "platform/command_words.h"

namespace orbline {

EditorCall EditorCallFor(const QString& commandLine, const QString& path, int line) {
  const std::vector<std::string> words =
      EditorWords(commandLine.toStdString(), path.toStdString(), line, kNativeSyntax);
  if (words.empty()) return {};
  EditorCall call;
  call.program = QString::fromStdString(words[0]);
  for (size_t i = 1; i < words.size(); ++i) call.arguments.append(QString::fromStdString(words[i]));
  return call;
}

bool LaunchEditor(const QString& commandLine, const QString& path, int line) {
  const EditorCall call = EditorCallFor(commandLine, path, line);
  if (call.program.isEmpty()) return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  return QProcess::startDetached(call.program, call.arguments);
}

}  // namespace orbline
