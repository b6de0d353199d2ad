// The checker's system calls on POSIX systems: bytes are paths, and nobody double-clicks.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/PlatformProgram.h"

namespace scuffler {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::string ProgramFolder() {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) return std::string();
  path.resize(static_cast<std::size_t>(length));
  return path.substr(0, path.rfind('/') + 1);
}

std::string CurrentFolder() {
  std::string path(4096, '\0');
  if (getcwd(path.data(), path.size()) == nullptr) return std::string();
  path.resize(path.find('\0'));
  return path.back() == '/' ? path : path + '/';
}

PlatformFile OpenForReadingUtf8(const std::string& path, OpenFailure& failure) {
  PlatformFile file = OpenForReading(path.c_str());
  if (!IsOpen(file)) {
    failure = errno == ENOENT || errno == ENOTDIR  ? OpenFailure::Missing
              : errno == EACCES || errno == EPERM  ? OpenFailure::Denied
              : errno == EBUSY || errno == ETXTBSY ? OpenFailure::InUse
                                                   : OpenFailure::Other;
    return file;
  }
  // POSIX opens a folder for reading; Windows does not, and neither does this.
  struct stat status {};
  if (::fstat(static_cast<int>(file.handle), &status) == 0 && S_ISDIR(status.st_mode)) {
    CloseFile(file);
    failure = OpenFailure::Folder;
    return file;
  }
  failure = OpenFailure::None;
  return file;
}

bool StartedOnItsOwnConsole() { return false; }

void WriteOutput(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

}  // namespace scuffler
