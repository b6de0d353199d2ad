// Whole files through IniSource Read: golden files beside their expected document, the line
// splitter, the files that are not readable, and the file read that stops at the end.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ini/IniFileLoader.h"
#include "ini/IniSource.h"
#include "platform/PlatformFile.h"

namespace scuffler {
namespace {

std::filesystem::path GoldenDirectory() {
  const char* root = std::getenv("SCUFFLER_SOURCE_DIR");
  return std::filesystem::path(root != nullptr ? root : SCUFFLER_SOURCE_DIR_FALLBACK) / "tests" /
         "ini" / "golden";
}

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteFileBytes(const std::string& name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary) << bytes;
}

// Quoted, with quote, backslash and every byte outside printable ASCII as \xNN.
std::string Quote(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte > 0x7E || c == '"' || c == '\\') {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

// The document in first-creation order, one section or key per line.
std::string Dump(const IniDocument& document) {
  std::string dump;
  for (const auto& [sectionName, section] : document.entries) {
    dump += "section " + Quote(sectionName) + "\n";
    for (const auto& [key, value] : section.entries) {
      dump += "  " + Quote(key) + " = " + Quote(value) + "\n";
    }
  }
  return dump;
}

class GoldenFile : public testing::TestWithParam<const char*> {};

TEST_P(GoldenFile, ParsesToTheExpectedDocument) {
  const std::filesystem::path ini = GoldenDirectory() / (std::string(GetParam()) + ".ini");
  const std::filesystem::path expected =
      GoldenDirectory() / (std::string(GetParam()) + ".expected");
  ASSERT_TRUE(std::filesystem::is_regular_file(expected)) << expected;
  IniDocument document;
  GetOrCreate(document, "left over from an earlier read");
  ASSERT_TRUE(Found(Read(IniSource{ini.string()}, document))) << ini;
  EXPECT_EQ(Dump(document), ReadFileBytes(expected));
}

INSTANTIATE_TEST_SUITE_P(Ini, GoldenFile,
                         testing::Values("empty", "crlf", "lone_cr", "bom", "key_before_header",
                                         "repeated_header", "sections", "odd_bytes"),
                         [](const testing::TestParamInfo<const char*>& param) {
                           return std::string(param.param);
                         });

TEST(ReadLines, SplitsAtLineFeedsAndDropsCarriageReturnsAndNuls) {
  const struct {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\n", {"a", ""}},
      {"\n", {"", ""}},
      {"a\r\nb\r\n", {"a", "b", ""}},
      {"a\rb", {"ab"}},
      {std::string("a\0b\n\0", 5), {"ab", ""}},
      {"\xEF\xBB\xBF[S]\n\xFFx", {"\xEF\xBB\xBF[S]", "\xFFx"}},
  };
  for (const auto& c : cases) {
    WriteFileBytes("lines.ini", c.bytes);
    IniFileLoader loader("lines.ini");
    EXPECT_EQ(ReadLines(loader), c.lines) << Quote(c.bytes);
    EXPECT_FALSE(IsOpen(loader.file));
  }
  std::filesystem::remove("lines.ini");
}

TEST(IniSourceRead, FilesThatCannotBeReadChangeNothingOrEmptyTheDocument) {
  std::filesystem::create_directory("a_directory.ini");
  const struct {
    std::string name;
    std::uint64_t sectionsLeft;  // 1: the document as it was; 0: emptied
  } unreadable[] = {
      {"", 1},                 // no name
      {"missing.ini", 1},      // no file: the tick's one open fails, nothing changes
      {"a_directory.ini", 0},  // opens on Linux, but is no file to read
#ifdef __linux__
      {"/proc/self/status", 0},  // a regular file whose size query fails
#endif
  };
  for (const auto& c : unreadable) {
    IniDocument document;
    GetOrCreate(GetOrCreate(document, "Scuffler"), "iKickToChest") = "38";
    EXPECT_FALSE(Found(Read(IniSource{c.name}, document))) << c.name;
    EXPECT_EQ(EntryCount(document), c.sectionsLeft) << c.name;
  }
  std::filesystem::remove("a_directory.ini");
}

// In a child under a deadline: a read that never sees the end of the file would loop for ever.
TEST(ReadFileAtDeathTest, AskedForMoreThanTheFileHoldsReturnsWhatIsThere) {
  WriteFileBytes("read_file_at.ini", "[S]\na=1");
  const auto readsWhatIsThere = [] {
    alarm(10);
    PlatformFile file = OpenForReading("read_file_at.ini");
    char buffer[64] = {};
    std::size_t got = 99;
    const bool whole = ReadFileAt(file, 0, buffer, sizeof buffer, got) && got == 7 &&
                       std::string(buffer, got) == "[S]\na=1";
    const bool tail =
        ReadFileAt(file, 4, buffer, 10, got) && got == 3 && std::string(buffer, got) == "a=1";
    const bool past = ReadFileAt(file, 7, buffer, 10, got) && got == 0;
    CloseFile(file);
    std::_Exit(whole && tail && past ? 0 : 1);
  };
  EXPECT_EXIT(readsWhatIsThere(), testing::ExitedWithCode(0), "");
  std::filesystem::remove("read_file_at.ini");
}

TEST(IniFileLoader, ParseIntoLeavesTheDocumentAloneWhenNotOpen) {
  IniFileLoader loader("missing.ini");
  IniDocument document;
  GetOrCreate(document, "kept");
  EXPECT_FALSE(ParseInto(loader, document));
  ASSERT_EQ(EntryCount(document), 1u);
  EXPECT_EQ(document.entries[0].first, "kept");
}

}  // namespace
}  // namespace scuffler
