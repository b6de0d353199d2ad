#include "ScratchDirectories.h"

#include <stdlib.h>  // mkdtemp

#include <cerrno>
#include <string>
#include <system_error>

namespace bench {
namespace fs = std::filesystem;

ScratchDirectories::ScratchDirectories() : home_(fs::current_path()) {
  // mkdtemp rather than a fixed name: two runs (ctest runs the checks and the smoke run in
  // parallel) must not share a directory.
  std::string pattern = (fs::temp_directory_path() / "scuffler-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw fs::filesystem_error("cannot create a scratch directory", pattern,
                               std::error_code(errno, std::generic_category()));
  }
  root_ = pattern;
  fs::create_directory(root_ / "no-ini");
  fs::create_directory(root_ / "default-ini");
  fs::copy_file(SCUFFLER_DEFAULT_INI, root_ / "default-ini" / "Scuffler.ini");
}

ScratchDirectories::~ScratchDirectories() {
  std::error_code ignored;
  fs::current_path(home_, ignored);
  fs::remove_all(root_, ignored);
}

void ScratchDirectories::EnterWithoutIni() const { fs::current_path(root_ / "no-ini"); }

void ScratchDirectories::EnterWithDefaultIni() const { fs::current_path(root_ / "default-ini"); }

}  // namespace bench
