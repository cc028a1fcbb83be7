#pragma once

#include <QString>
#include <QStringList>

namespace orbline {

// The author's editor: a command line in which "{file}" stands for the file's path and "{line}"
// for the line number, such as `gvim --remote-silent +{line} {file}`.
struct EditorCall {
  QString program;  // empty: no editor is set
  QStringList arguments;
};

// The program and arguments that open `path` at `line` (a line of 0 opens at line 1), as
// EditorWords cuts the command line (shared with orblinec serve): words part at blanks outside
// double quotes, and only then are the placeholders replaced inside each word, so a path with
// blanks or Japanese characters stays one argument. Without "{file}" the path is the last argument.
EditorCall EditorCallFor(const QString& commandLine, const QString& path, int line);

// Opens `path` at `line` in the editor of `commandLine`, or, without one, in the desktop's
// application for the file. False when neither could be started.
bool LaunchEditor(const QString& commandLine, const QString& path, int line);

}  // namespace orbline
