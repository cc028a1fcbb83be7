// orbline-path add|remove FOLDER: puts FOLDER on the user's PATH (HKCU\Environment, Path) or takes
// it off again, for the installer and its uninstaller. The value is read and written whole, at any
// length (the installer's own strings hold 1,024 characters and would cut a longer PATH), keeps its
// type (REG_EXPAND_SZ, so %USERPROFILE% and the like stay unexpanded), and nothing else of it
// changes. Programs started afterwards are told that the environment changed.
#include <windows.h>

#include <cwctype>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kKey[] = L"Environment";
constexpr wchar_t kValue[] = L"Path";

// An entry of PATH as compared: without trailing backslashes, in upper case.
std::wstring Comparable(std::wstring entry) {
  while (!entry.empty() && entry.back() == L'\\') entry.pop_back();
  for (wchar_t& c : entry) c = static_cast<wchar_t>(std::towupper(c));
  return entry;
}

std::vector<std::wstring> Entries(const std::wstring& path) {
  std::vector<std::wstring> entries;
  size_t start = 0;
  for (size_t semicolon; (semicolon = path.find(L';', start)) != std::wstring::npos; start = semicolon + 1)
    entries.push_back(path.substr(start, semicolon - start));
  entries.push_back(path.substr(start));
  return entries;
}

// The PATH `path` with `folder` added at its end, or with every entry naming it removed; `path`
// itself when there is nothing to change.
std::wstring Changed(const std::wstring& path, const std::wstring& folder, bool add) {
  std::wstring changed;
  if (add) {
    for (const std::wstring& entry : Entries(path))
      if (Comparable(entry) == Comparable(folder)) return path;
    return path.empty() || path.back() == L';' ? path + folder : path + L";" + folder;
  }
  bool first = true;
  for (const std::wstring& entry : Entries(path)) {
    if (Comparable(entry) == Comparable(folder)) continue;
    changed += (first ? L"" : L";") + entry;
    first = false;
  }
  return changed;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3 || (std::wstring(argv[1]) != L"add" && std::wstring(argv[1]) != L"remove")) {
    fwprintf(stderr, L"usage: orbline-path add|remove FOLDER\n");
    return 2;
  }
  const bool add = std::wstring(argv[1]) == L"add";
  const std::wstring folder = argv[2];
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    fwprintf(stderr, L"orbline-path: the user's environment cannot be opened\n");
    return 1;
  }
  DWORD type = REG_EXPAND_SZ, bytes = 0;
  std::wstring path;
  const LONG found = RegQueryValueExW(key, kValue, nullptr, &type, nullptr, &bytes);
  if (found == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, kValue, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes) !=
        ERROR_SUCCESS) {
      RegCloseKey(key);
      fwprintf(stderr, L"orbline-path: the user's PATH cannot be read\n");
      return 1;
    }
    path = buffer.data();
  } else if (found == ERROR_SUCCESS) {
    RegCloseKey(key);
    fwprintf(stderr, L"orbline-path: the user's PATH is not text; it is left as it is\n");
    return 1;
  } else {
    type = REG_EXPAND_SZ;
  }

  const std::wstring changed = Changed(path, folder, add);
  if (changed == path) {
    RegCloseKey(key);
    return 0;
  }
  LONG written;
  if (changed.empty()) {
    written = RegDeleteValueW(key, kValue);
  } else {
    written = RegSetValueExW(key, kValue, 0, type, reinterpret_cast<const BYTE*>(changed.c_str()),
                             static_cast<DWORD>((changed.size() + 1) * sizeof(wchar_t)));
  }
  RegCloseKey(key);
  if (written != ERROR_SUCCESS) {
    fwprintf(stderr, L"orbline-path: the user's PATH cannot be written\n");
    return 1;
  }
  SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"), SMTO_ABORTIFHUNG,
                      5000, nullptr);
  return 0;
}
