#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orbline {

// How a command line is cut into words.
enum class CommandSyntax {
  // As the window has always cut the editor command: words part at blanks (any Unicode white
  // space) outside double quotes, and three double quotes in a row stand for one. No backslash
  // escapes: a Linux path never needs one.
  kQuoted,
  // As Windows programs cut their own command line (the C runtime's rules): the first word, the
  // program, ends at a blank or, quoted, at the next double quote; after it, 2n backslashes before
  // a double quote are n backslashes and the quote opens or closes a quoted part, 2n+1 of them are
  // n backslashes and a literal quote, "" inside a quoted part is a literal quote, and other
  // backslashes are themselves. So "C:\Program Files\x\y.exe" needs no doubling.
  kWindows,
};

// The syntax of the system this program runs on.
#ifdef _WIN32
inline constexpr CommandSyntax kNativeSyntax = CommandSyntax::kWindows;
#else
inline constexpr CommandSyntax kNativeSyntax = CommandSyntax::kQuoted;
#endif

// The words of a UTF-8 command line; empty words from "" are kept only with kWindows, as Windows
// keeps them.
std::vector<std::string> SplitCommandLine(std::string_view commandLine, CommandSyntax syntax);

// The command line of `words` that Windows programs cut back into the same words (a program name
// is quoted whole, as it may not hold a double quote).
std::string JoinWindowsCommandLine(const std::vector<std::string>& words);

// The words that open `path` (UTF-8) at `line` (0 opens at line 1) in the author's editor: the
// command line cut into words first, and only then "{line}" replaced by the number and "{file}" by
// the path inside each word, so that a path with blanks or Japanese names stays one word. A
// command line without "{file}" gets the path as its last word. Empty when the command line has
// no word: no editor is set.
std::vector<std::string> EditorWords(std::string_view commandLine, std::string_view path, int line,
                                     CommandSyntax syntax = kNativeSyntax);

}  // namespace orbline
