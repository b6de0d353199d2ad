// Reading the settings file again onto the document of the last read, as every tick does: the
// result must be what reading it into an empty document gives, whether the file kept its shape
// (only values are assigned again) or not (the document is rebuilt).
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "ini/IniSource.h"

namespace scuffler {
namespace {

using namespace std::string_literals;

// ctest runs the tests of one program side by side in one directory: each test has its own file.
void WriteFile(const std::string& name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary) << bytes;
}

IniDocument ReadFresh(const std::string& name) {
  IniDocument document;
  Read(IniSource{name}, document);
  return document;
}

bool SameDocument(const IniDocument& a, const IniDocument& b) {
  if (a.entries.size() != b.entries.size() || a.index != b.index) return false;
  for (std::size_t i = 0; i < a.entries.size(); ++i) {
    if (a.entries[i].first != b.entries[i].first ||
        a.entries[i].second.entries != b.entries[i].second.entries ||
        a.entries[i].second.index != b.entries[i].second.index) {
      return false;
    }
  }
  return true;
}

TEST(Reread, GivesWhatAFreshReadGives) {
  const std::string first = "[S]\na=1\nb=2\n[T]\nc=3\n[S]\nd=4\n";
  const std::string twoKeys = "[S]\na=1\nb=2\n";
  const struct {
    std::string before;
    std::string after;
  } rereads[] = {
      {first, first},                                       // unchanged
      {first, "[S]\na=9\nb=8\n[T]\nc=7\n[S]\nd=6\n"},       // new values only
      {first, "[S]\na=1\nb=2\na=5\n[T]\nc=3\n[S]\nd=4\n"},  // a key again: the last value wins
      {first, "; note\n[ S ]\r\n a = 1\nb=2\n[T]\nc=3\n[S]\nd=4"},  // same shape, other spelling
      {first,
       "[S]\r\na=1\r\nb=\r2\0\r\n[T]\r\nc=3\r\n[S]\r\nd=4\r\n"s},  // CR LF, CR and NUL inside
      {first, "[S]\nb=2\na=1\n[T]\nc=3\n[S]\nd=4\n"},              // keys in another order
      {first, "[T]\nc=3\n[S]\na=1\nb=2\nd=4\n"},                   // sections in another order
      {first, "[S]\na=1\nb=2\n[T]\nc=3\n"},                        // a key gone
      {first, "[S]\na=1\nb=2\n[T]\nc=3\n[S]\nd=4\ne=5\n"},         // a key more
      {first, "[S]\na=1\nb=2\n[S]\nd=4\n"},                        // a section gone
      {first, "[S]\na=1\nb=2\n[T]\nc=3\n[S]\nd=4\n[U]\n"},         // a section more, empty
      {first, "[S]\na=1\nb=2\n[t]\nc=3\n[S]\nd=4\n"},              // a section renamed
      {first, "x=1\n"},                                            // no section at all
      {first, ""},                                                 // empty
      {twoKeys, "[S]\na=1\na=2\n"},       // as many key lines, one key fewer: b is gone
      {twoKeys, "[S]\nb=2\na=1\nb=3\n"},  // b met before a: the order is the file's
      {"[S]\nx\\=y=1\nabc=2\n", "[S]\nx\\=y=1\nabc=2\nabc=3\n"},  // again after an escaped key
  };
  const std::string name = "reread_shapes.ini";
  IniReadBuffers buffers;  // kept across all reads, as a tick keeps them: files shrink and grow
  for (const auto& reread : rereads) {
    IniDocument document;
    WriteFile(name, reread.before);
    Read(IniSource{name}, document, buffers);
    WriteFile(name, reread.after);
    EXPECT_TRUE(Found(Read(IniSource{name}, document, buffers)));
    EXPECT_TRUE(SameDocument(document, ReadFresh(name)))
        << reread.before << " then " << reread.after;
  }
  std::remove(name.c_str());
}

TEST(Reread, AFileThatNoLongerOpensLeavesTheDocumentAsItWas) {
  const std::string name = "reread_removed.ini";
  IniDocument document;
  WriteFile(name, "[S]\na=1\n");
  Read(IniSource{name}, document);
  std::remove(name.c_str());
  EXPECT_FALSE(Found(Read(IniSource{name}, document)));
  EXPECT_EQ(Lookup(Lookup(document, "S"), "a"), "1");
}

}  // namespace
}  // namespace scuffler
