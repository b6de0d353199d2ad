// The file API natively (Linux and other POSIX systems), where the tests and the benchmark run.
#include <dirent.h>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/PlatformFile.h"

namespace scuffler {

PlatformFile OpenForReading(const char* fileName) {
  int descriptor;
  do {
    descriptor = ::open(fileName, O_RDONLY | O_CLOEXEC);
  } while (descriptor < 0 && errno == EINTR);
  return descriptor < 0 ? kNoFile : PlatformFile{descriptor};
}

bool QueryFileSize(PlatformFile file, std::uint64_t& size) {
  // The end's offset rather than fstat: files that cannot tell their size in advance (those of
  // /proc, pipes) refuse it instead of reporting 0.
  const off_t end = ::lseek(static_cast<int>(file.handle), 0, SEEK_END);
  if (end < 0) return false;
  size = static_cast<std::uint64_t>(end);
  return true;
}

bool ReadFileAt(PlatformFile file, std::uint64_t offset, char* buffer, std::size_t count,
                std::size_t& got) {
  got = 0;
  // pread may stop early (a signal, a huge request); only 0 means the end of the file.
  while (got < count) {
    const ssize_t read = ::pread(static_cast<int>(file.handle), buffer + got, count - got,
                                 static_cast<off_t>(offset + got));
    if (read < 0 && errno == EINTR) continue;
    if (read < 0) return false;
    if (read == 0) break;
    got += static_cast<std::size_t>(read);
  }
  return true;
}

bool CloseFile(PlatformFile& file) {
  const bool closed = !IsOpen(file) || ::close(static_cast<int>(file.handle)) == 0;
  file = kNoFile;
  return closed;
}

PlatformFile CreateForWriting(const char* fileName) {
  int descriptor;
  do {
    descriptor = ::open(fileName, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  } while (descriptor < 0 && errno == EINTR);
  return descriptor < 0 ? kNoFile : PlatformFile{descriptor};
}

bool WriteAll(PlatformFile file, const void* bytes, std::size_t count) {
  const auto* at = static_cast<const char*>(bytes);
  while (count > 0) {
    const ssize_t wrote = ::write(static_cast<int>(file.handle), at, count);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    at += wrote;
    count -= static_cast<std::size_t>(wrote);
  }
  return true;
}

bool ReplaceFileWith(const char* from, const char* to) { return std::rename(from, to) == 0; }

bool RemoveFileNamed(const char* fileName) { return ::unlink(fileName) == 0; }

bool ListCurrentFolder(void (*each)(const char* name, void* context), void* context) {
  DIR* const folder = ::opendir(".");
  if (folder == nullptr) return false;
  while (const dirent* entry = ::readdir(folder)) each(entry->d_name, context);
  ::closedir(folder);
  return true;
}

}  // namespace scuffler
