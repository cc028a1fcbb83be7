// orblinec.exe: Zelkor Maker from the command line on Windows. The arguments come as UTF-16 and
// are carried as UTF-8 from here on. Started from Explorer, with a console of its own that closes
// when it ends, it says how it is used, or compiles the line folder dropped on it, and waits for a
// key so that what it says can be read.
#include <conio.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/orblinec_main.h"
#include "platform/console.h"
#include "platform/utf8_path.h"
#include "platform/wide_text.h"

namespace orbline {
namespace {

constexpr char kExplorerUsage[] =
    "orblinec - Zelkor Maker のコマンドライン版\n"
    "\n"
    "路線のソースファイル (info.txt, kind.txt, eki.txt, map.txt, data1.txt～data3.txt) を\n"
    "読んで調べ、ZKFファイルにコンパイルします。\n"
    "\n"
    "使い方:\n"
    "  ・路線のフォルダを orblinec.exe のアイコンの上にドラッグ＆ドロップすると、そのフォルダを\n"
    "    コンパイルし、フォルダと同じ場所に「フォルダ名.zkf」を書き出します。\n"
    "  ・コマンドプロンプトやエディタのタスクからは次のように使います:\n"
    "      orblinec compile -C 路線のフォルダ -o 出力.zkf\n"
    "      orblinec check --all -C 路線のフォルダ\n"
    "      orblinec --help      (すべてのコマンドと設定)\n";
constexpr char kPressAKey[] = "\n何かキーを押すと閉じます。\n";

// True when this process is the only one on its console: Explorer made the console for it, and it
// closes as soon as the program ends. A program started from a console window shares it.
bool HasConsoleOfItsOwn() {
  DWORD ids[2];
  DWORD mode;
  return GetConsoleProcessList(ids, 2) == 1 && GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode);
}

// A double click: how orblinec is used. A folder dropped on it: that folder compiled into
// "<folder>.zkf" beside it. Anything else: as given.
int RunFromExplorer(const std::vector<std::string>& args) {
  int status = 0;
  std::error_code ec;
  if (args.empty()) {
    WriteText(stdout, kExplorerUsage);
  } else if (args.size() == 1 && std::filesystem::is_directory(PathFromUtf8(args[0]), ec)) {
    const std::filesystem::path folder = std::filesystem::absolute(PathFromUtf8(args[0]), ec).lexically_normal();
    const std::filesystem::path named = folder.has_filename() ? folder : folder.parent_path();
    const std::filesystem::path output = named.parent_path() / PathFromUtf8(Utf8(named.filename()) + ".zkf");
    status = RunOrblinec({"compile", "-C", Utf8(folder), "-o", Utf8(output)});
  } else {
    status = RunOrblinec(args);
  }
  WriteText(stdout, kPressAKey);
  _getwch();
  return status;
}

}  // namespace
}  // namespace orbline

int wmain(int argc, wchar_t** argv) {
  using namespace orbline;
  SetUpConsole();
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(Utf8FromWide(argv[i]));
  if (HasConsoleOfItsOwn()) return RunFromExplorer(args);
  return RunOrblinec(args);
}
