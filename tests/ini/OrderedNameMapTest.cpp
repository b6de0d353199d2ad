// The document model: trimming, exact names, first-creation order, Clear and deep copies.
#include <gtest/gtest.h>

#include <string>

#include "ini/IniDocument.h"
#include "ini/TrimWhitespace.h"

namespace scuffler {
namespace {

TEST(TrimWhitespace, RemovesOnlyTheSixWhitespaceBytesAtBothEnds) {
  const struct {
    std::string input;
    std::string expected;
  } cases[] = {
      {"", ""},
      {" \t\n\r\f\v", ""},
      {" \t key \v\f", "key"},
      {"a b\tc", "a b\tc"},                                // inner whitespace stays
      {"\xA0key\xA0", "\xA0key\xA0"},                      // non-breaking space is not whitespace
      {std::string("\0x\0", 3), std::string("\0x\0", 3)},  // nor is NUL
      {"\x85x\x1F", "\x85x\x1F"},
  };
  for (const auto& c : cases) {
    std::string text = c.input;
    TrimWhitespace(text);
    EXPECT_EQ(text, c.expected) << "input of " << c.input.size() << " bytes";
  }
}

TEST(OrderedNameMap, TrimsNamesSoPaddedAndBareNamesMeet) {
  IniSection section;
  std::string padded = " iKickToChest\t";
  GetOrCreate(section, padded) = "38";
  EXPECT_EQ(padded, " iKickToChest\t");  // the caller's string is not trimmed
  EXPECT_EQ(GetOrCreate(section, "iKickToChest"), "38");
  ASSERT_EQ(EntryCount(section), 1u);
  EXPECT_EQ(section.entries[0].first, "iKickToChest");
  EXPECT_EQ(Lookup(section, "\viKickToChest "), "38");

  GetOrCreate(section, " \t ") = "blank";    // all whitespace: the empty name
  GetOrCreate(section, "key\xA0") = "nbsp";  // 0xA0 is not whitespace
  EXPECT_EQ(Lookup(section, ""), "blank");
  EXPECT_EQ(section.entries[1].first, "");
  EXPECT_EQ(Lookup(section, "key"), "");
  EXPECT_EQ(Lookup(section, "key\xA0"), "nbsp");
}

TEST(OrderedNameMap, NamesAreCaseSensitive) {
  IniSection section;
  GetOrCreate(section, "max_distance") = "5";
  EXPECT_EQ(Lookup(section, "MAX_DISTANCE"), "");
  EXPECT_EQ(EntryCount(section), 1u);
}

TEST(OrderedNameMap, LookupOfAnAbsentSectionIsEmptyAndAddsNothing) {
  IniDocument document;
  GetOrCreate(GetOrCreate(document, "Other"), "k") = "v";
  EXPECT_EQ(EntryCount(Lookup(document, "Scuffler")), 0u);
  EXPECT_EQ(EntryCount(document), 1u);
}

TEST(OrderedNameMap, KeepsFirstCreationOrderAndLastAssignedValue) {
  IniSection section;
  GetOrCreate(section, "b") = "5";
  GetOrCreate(section, "a") = "1";
  GetOrCreate(section, "b") = "7";
  ASSERT_EQ(EntryCount(section), 2u);
  EXPECT_EQ(section.entries[0], (std::pair<std::string, std::string>("b", "7")));
  EXPECT_EQ(section.entries[1], (std::pair<std::string, std::string>("a", "1")));
  EXPECT_EQ(section.index.at("b"), 0u);
  EXPECT_EQ(section.index.at("a"), 1u);
}

TEST(OrderedNameMap, FindsEveryNameInSmallAndLargeMaps) {
  // Small maps are searched in order, larger ones through the index: both must find alike.
  IniSection section;
  for (int i = 0; i < 20; ++i) {
    GetOrCreate(section, "k" + std::to_string(i)) = std::to_string(i);
    for (int j = 0; j <= i; ++j) {
      EXPECT_EQ(Lookup(section, " k" + std::to_string(j) + "\t"), std::to_string(j)) << i;
    }
    EXPECT_EQ(FindValue(section, "k" + std::to_string(i + 1)), nullptr) << i;
  }
}

TEST(OrderedNameMap, ClearEmptiesAndRestartsPositionsAtZero) {
  IniSection section;
  GetOrCreate(section, "a") = "1";
  GetOrCreate(section, "b") = "2";
  Clear(section);
  EXPECT_EQ(EntryCount(section), 0u);
  EXPECT_TRUE(section.index.empty());
  EXPECT_EQ(Lookup(section, "a"), "");
  GetOrCreate(section, "b") = "3";
  EXPECT_EQ(section.index.at("b"), 0u);
  EXPECT_EQ(section.entries[0].first, "b");
}

TEST(OrderedNameMap, CopiesShareNothingWithTheOriginal) {
  IniDocument document;
  GetOrCreate(GetOrCreate(document, "Scuffler"), "iKickToLeg") = "40";

  IniSection looked = Lookup(document, "Scuffler");
  GetOrCreate(looked, "iKickToLeg") = "1";
  GetOrCreate(looked, "extra") = "2";
  EXPECT_EQ(Lookup(Lookup(document, "Scuffler"), "iKickToLeg"), "40");
  EXPECT_EQ(EntryCount(Lookup(document, "Scuffler")), 1u);

  IniDocument copy = document;
  EXPECT_EQ(copy.index, document.index);
  ASSERT_EQ(EntryCount(copy), 1u);
  EXPECT_EQ(copy.entries[0].first, "Scuffler");
  EXPECT_EQ(copy.entries[0].second.entries, document.entries[0].second.entries);
  GetOrCreate(copy, "New");
  Clear(GetOrCreate(copy, "Scuffler"));
  EXPECT_EQ(EntryCount(document), 1u);
  EXPECT_EQ(Lookup(Lookup(document, "Scuffler"), "iKickToLeg"), "40");
}

}  // namespace
}  // namespace scuffler
