// The checker's system calls on Windows: the wide API throughout, kernel32 alone, so that a
// path in any script works and the program imports nothing a virus scanner frowns at.
#include <cstdlib>
#include <cwchar>

#include "platform/Platform.h"
#include "platform/PlatformProgram.h"

extern "C" int __wgetmainargs(int* argc, wchar_t*** argv, wchar_t*** env, int glob, void* info);

namespace scuffler {
namespace {

std::string Utf8(const wchar_t* text, int length) {
  if (length <= 0) return std::string();
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
  return out;
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, out.data(), size);
  return out;
}

std::string Folder(std::string path) {
  if (path.empty()) return path;
  return path.back() == '\\' || path.back() == '/' ? path : path + '\\';
}

}  // namespace

std::vector<std::string> ProgramArguments(int, char**) {
  // The C runtime's wide arguments, split as every Windows program splits its command line.
  int argc = 0;
  wchar_t** argv = nullptr;
  wchar_t** env = nullptr;
  int startInfo = 0;
  std::vector<std::string> arguments;
  if (__wgetmainargs(&argc, &argv, &env, 0, &startInfo) != 0 || argv == nullptr) return arguments;
  for (int i = 1; i < argc; ++i) {
    arguments.push_back(Utf8(argv[i], static_cast<int>(std::wcslen(argv[i]))));
  }
  return arguments;
}

std::string ProgramFolder() {
  std::wstring path(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  if (length == 0 || length >= path.size()) return std::string();
  const std::size_t slash = path.find_last_of(L"\\/", length);
  if (slash == std::wstring::npos) return std::string();
  return Utf8(path.data(), static_cast<int>(slash + 1));
}

std::string CurrentFolder() {
  std::wstring path(32768, L'\0');
  const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(path.size()), path.data());
  if (length == 0 || length >= path.size()) return std::string();
  return Folder(Utf8(path.data(), static_cast<int>(length)));
}

PlatformFile OpenForReadingUtf8(const std::string& path, OpenFailure& failure) {
  const std::wstring wide = Wide(path);
  // A folder fails to open with "access denied", which would send a player after permissions.
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    failure = OpenFailure::Folder;
    return kNoFile;
  }
  // The same sharing as the plug-in's own open: an editor may hold the file.
  const HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle != INVALID_HANDLE_VALUE) {
    failure = OpenFailure::None;
    return PlatformFile{reinterpret_cast<std::intptr_t>(handle)};
  }
  const DWORD error = GetLastError();
  failure =
      error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME
          ? OpenFailure::Missing
      : error == ERROR_ACCESS_DENIED                                      ? OpenFailure::Denied
      : error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? OpenFailure::InUse
                                                                          : OpenFailure::Other;
  return kNoFile;
}

bool StartedOnItsOwnConsole() {
  // Wine gives a program started from a terminal a console of its own too; nobody there needs
  // the window kept open.
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr) return false;
  DWORD processes[2];
  DWORD mode = 0;
  return GetConsoleProcessList(processes, 2) == 1 &&
         GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

void WriteOutput(const std::string& text) {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(out, &mode) != 0) {
    // A console shows UTF-16 whatever its code page.
    const std::wstring wide = Wide(text);
    WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
  } else {
    WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
}

}  // namespace scuffler
