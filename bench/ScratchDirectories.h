// The working directories the benchmark runs the plug-in in. LoadSettings reads Scuffler.ini from
// the current directory, so each measurement first moves into a directory that either holds a
// copy of the shipped dist/Scuffler.ini or holds nothing.
#pragma once

#include <filesystem>

namespace bench {

class ScratchDirectories {
 public:
  // Creates both directories in a fresh directory under the system's temporary directory.
  ScratchDirectories();
  // Returns to the directory the program started in and removes everything created here.
  ~ScratchDirectories();
  ScratchDirectories(const ScratchDirectories&) = delete;
  ScratchDirectories& operator=(const ScratchDirectories&) = delete;

  void EnterWithoutIni() const;
  void EnterWithDefaultIni() const;

 private:
  std::filesystem::path home_;
  std::filesystem::path root_;
};

}  // namespace bench
