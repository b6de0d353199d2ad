#include "Harness.h"

#include <cstdio>

namespace wintest {
namespace {

int gPassed = 0;
int gFailed = 0;

}  // namespace

void Record(bool ok, const char* expression, const char* file, int line,
            const std::string& detail) {
  if (ok) {
    ++gPassed;
    return;
  }
  ++gFailed;
  std::printf("%s:%d: check failed: %s%s%s\n", file, line, expression, detail.empty() ? "" : ": ",
              detail.c_str());
}

void Run(const char* name, void (*scenario)()) {
  const int failedBefore = gFailed;
  std::printf("[ RUN    ] %s\n", name);
  std::fflush(stdout);
  scenario();
  std::printf("[ %s ] %s\n", gFailed == failedBefore ? "    OK" : "FAILED", name);
  std::fflush(stdout);
}

int Finish() {
  std::printf("%d passed, %d failed\n", gPassed, gFailed);
  return gFailed == 0 ? 0 : 1;
}

}  // namespace wintest
