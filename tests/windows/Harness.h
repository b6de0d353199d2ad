// A small check-and-count harness for the Windows test programs, which run under Wine without a
// test framework. Each program is one CTest test made of named scenarios run in order; a failed
// check prints its place and values and the scenario goes on. The program ends with the line
// "N passed, N failed" and exits nonzero when any check failed.
//
// Single-threaded: checks are made on the thread that runs main.
#pragma once

#include <sstream>
#include <string>

namespace wintest {

// Counts one check; prints it when it failed.
void Record(bool ok, const char* expression, const char* file, int line, const std::string& detail);

// Runs one scenario under a name printed before and after it.
void Run(const char* name, void (*scenario)());

// Prints the totals; the program's exit code.
int Finish();

template <typename A, typename B>
void CheckEqual(const A& actual, const B& expected, const char* expression, const char* file,
                int line) {
  const bool ok = actual == expected;
  std::ostringstream detail;
  if (!ok) detail << "got " << actual << ", expected " << expected;
  Record(ok, expression, file, line, detail.str());
}

}  // namespace wintest

#define CHECK(condition) \
  ::wintest::Record(static_cast<bool>(condition), #condition, __FILE__, __LINE__, {})
#define CHECK_EQ(actual, expected) \
  ::wintest::CheckEqual((actual), (expected), #actual " == " #expected, __FILE__, __LINE__)
