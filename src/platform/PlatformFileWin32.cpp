// The file API on Windows: kernel32 alone, so that the plug-in needs no C++ file streams.
#include "platform/Platform.h"
#include "platform/PlatformFile.h"

namespace scuffler {
namespace {

HANDLE ToHandle(PlatformFile file) { return reinterpret_cast<HANDLE>(file.handle); }

// ReadFile takes a 32-bit count; larger reads go in pieces.
constexpr std::size_t kLargestRead = 1u << 30;

}  // namespace

PlatformFile OpenForReading(const char* fileName) {
  // All three share flags: the player's editor may keep the file open, save over it or replace
  // it while the plug-in reads. Without FILE_FLAG_BACKUP_SEMANTICS a directory does not open.
  const HANDLE handle =
      CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  return handle == INVALID_HANDLE_VALUE ? kNoFile
                                        : PlatformFile{reinterpret_cast<std::intptr_t>(handle)};
}

bool QueryFileSize(PlatformFile file, std::uint64_t& size) {
  LARGE_INTEGER fileSize;
  if (!GetFileSizeEx(ToHandle(file), &fileSize) || fileSize.QuadPart < 0) return false;
  size = static_cast<std::uint64_t>(fileSize.QuadPart);
  return true;
}

bool ReadFileAt(PlatformFile file, std::uint64_t offset, char* buffer, std::size_t count,
                std::size_t& got) {
  got = 0;
  while (got < count) {
    const std::uint64_t at = offset + got;
    OVERLAPPED position{};  // on a handle opened for synchronous use: just the offset to read at
    position.Offset = static_cast<DWORD>(at);
    position.OffsetHigh = static_cast<DWORD>(at >> 32);
    const std::size_t want = count - got < kLargestRead ? count - got : kLargestRead;
    DWORD read = 0;
    if (!ReadFile(ToHandle(file), buffer + got, static_cast<DWORD>(want), &read, &position)) {
      if (GetLastError() == ERROR_HANDLE_EOF) break;
      return false;
    }
    if (read == 0) break;
    got += read;
  }
  return true;
}

bool CloseFile(PlatformFile& file) {
  const bool closed = !IsOpen(file) || CloseHandle(ToHandle(file)) != 0;
  file = kNoFile;
  return closed;
}

PlatformFile CreateForWriting(const char* fileName) {
  const HANDLE handle = CreateFileA(fileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  return handle == INVALID_HANDLE_VALUE ? kNoFile
                                        : PlatformFile{reinterpret_cast<std::intptr_t>(handle)};
}

bool WriteAll(PlatformFile file, const void* bytes, std::size_t count) {
  const auto* at = static_cast<const char*>(bytes);
  while (count > 0) {
    const std::size_t want = count < kLargestRead ? count : kLargestRead;
    DWORD wrote = 0;
    if (!WriteFile(ToHandle(file), at, static_cast<DWORD>(want), &wrote, nullptr) || wrote == 0) {
      return false;
    }
    at += wrote;
    count -= wrote;
  }
  return true;
}

bool ReplaceFileWith(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING) != 0;
}

bool RemoveFileNamed(const char* fileName) { return DeleteFileA(fileName) != 0; }

bool ListCurrentFolder(void (*each)(const char* name, void* context), void* context) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA("*", &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    each(found.cFileName, context);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return true;
}

}  // namespace scuffler
