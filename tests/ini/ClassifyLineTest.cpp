// The line grammar, one line at a time.
#include <gtest/gtest.h>

#include <string>

#include "ini/ClassifyLine.h"

namespace scuffler {
namespace {

TEST(ClassifyLine, ClassifiesEachFormOfLine) {
  // Every backslash below is the single byte 0x5C in the line.
  const struct {
    std::string line;
    LineKind kind;
    std::string name;
    std::string value;
  } cases[] = {
      {" \t  \t", LineKind::Blank, "", ""},
      {"", LineKind::Blank, "", ""},
      {"  ; note", LineKind::Comment, "", ""},
      {";k=v", LineKind::Comment, "", ""},
      {"[ Scuffler ] ; keys", LineKind::Section, "Scuffler", ""},
      {"[a]b]", LineKind::Section, "a]b", ""},
      {"[]", LineKind::Section, "", ""},
      {"[a] x=1", LineKind::Section, "a", ""},
      {"[a;b]", LineKind::Unrecognised, "", ""},
      {"[x=1;2", LineKind::KeyValue, "[x", "1"},
      {"x=1;2", LineKind::KeyValue, "x", "1;2"},
      {"a\\=b = v", LineKind::KeyValue, "a=b", "v"},
      {"a = b\\=v", LineKind::KeyValue, "a", "b\\=v"},
      {"key\\=", LineKind::Unrecognised, "", ""},
      {"a\\\\=b", LineKind::Unrecognised, "", ""},
      {"=5", LineKind::KeyValue, "", "5"},
      {"# x", LineKind::Unrecognised, "", ""},
      {"#x=1", LineKind::KeyValue, "#x", "1"},
      {"iKickToChest = 38 ; up", LineKind::KeyValue, "iKickToChest", "38 ; up"},
      {"a\\=\\=b=c=d", LineKind::KeyValue, "a==b", "c=d"},
      {"\"k\" = \"v\"", LineKind::KeyValue, "\"k\"", "\"v\""},
      {"k=", LineKind::KeyValue, "k", ""},
      {"\xEF\xBB\xBF[Scuffler]", LineKind::Unrecognised, "", ""},
  };
  for (const auto& c : cases) {
    ParsedLine out{"stale", "stale"};  // must be cleared whatever the kind
    EXPECT_EQ(ClassifyLine(c.line, out), c.kind) << c.line;
    EXPECT_EQ(out.name, c.name) << c.line;
    EXPECT_EQ(out.value, c.value) << c.line;
  }
}

}  // namespace
}  // namespace scuffler
