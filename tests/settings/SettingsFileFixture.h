// A test fixture that owns Scuffler.ini in the current directory and restores the initial
// settings around every test.
//
// ctest gives each test program a directory, but runs that program's tests in parallel; so each
// test moves into a subdirectory of its own, named after it, for its whole run.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "ini/OrderedNameMap.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"

namespace scuffler {

class SettingsFileFixture : public testing::Test {
 protected:
  void SetUp() override {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    home_ = std::filesystem::current_path();
    workDirectory_ = home_ / (std::string(test->test_suite_name()) + "." + test->name());
    std::filesystem::remove_all(workDirectory_);
    std::filesystem::create_directory(workDirectory_);
    std::filesystem::current_path(workDirectory_);
    Restore();
  }

  void TearDown() override {
    Restore();
    std::filesystem::current_path(home_);
    std::filesystem::remove_all(workDirectory_);
  }

  static void WriteSettingsFile(const std::string& bytes) {
    std::ofstream("Scuffler.ini", std::ios::binary) << bytes;
  }

  static void RemoveSettingsFile() { std::filesystem::remove_all("Scuffler.ini"); }

  static std::filesystem::path SourceRoot() {
    const char* root = std::getenv("SCUFFLER_SOURCE_DIR");
    return root != nullptr ? root : SCUFFLER_SOURCE_DIR_FALLBACK;
  }

  // The Scuffler.ini that the release zip holds: dist/Scuffler.ini with CR LF line ends.
  static std::filesystem::path ShippedSettingsFile() {
    return std::filesystem::path(SCUFFLER_RELEASE_TEXT_DIR) / "Scuffler.ini";
  }

 private:
  static void Restore() {
    RemoveSettingsFile();
    gSettings = Settings{};
    Clear(SettingsDocument);
    ForgetParsedBytes(SettingsReadBuffers);
  }

  std::filesystem::path home_;
  std::filesystem::path workDirectory_;
};

}  // namespace scuffler
