// The players' readme and the shipped Scuffler.ini against the key table the plug-in and the
// checker read: the keys they call the game's own are the table's game keys, point for point, and
// every key name they teach is one the plug-in takes and the checker finds no fault with.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "input/KeyNames.h"
#include "settings/SettingsFileFixture.h"

namespace scuffler {
namespace {

std::string Text(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  // As one line: a sentence may be wrapped, behind the ini's comment marks too.
  std::string flat;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '\r') continue;
    if (text[at] != '\n') {
      flat.push_back(text[at]);
      continue;
    }
    flat.push_back(' ');
    while (at + 1 < text.size() && (text[at + 1] == ' ' || text[at + 1] == ';')) ++at;
  }
  return flat;
}

// The names of `list`, "W, A, S and Tab", in order.
std::vector<std::string> Names(std::string list) {
  std::vector<std::string> names;
  std::size_t at = 0;
  while (at < list.size()) {
    std::size_t end = list.find_first_of(", ", at);
    if (end == std::string::npos) end = list.size();
    const std::string word = list.substr(at, end - at);
    if (!word.empty() && word != "and") names.push_back(word);
    at = end + 1;
  }
  return names;
}

std::vector<std::string> GameKeys() {
  std::vector<std::string> names;
  for (const NamedKey* key = AllKeys().begin; key != AllKeys().end; ++key) {
    if (key->reach == KeyReach::GameKey) names.push_back(std::string(key->name));
  }
  return names;
}

// The list after `lead` in `text`, up to the sentence's full stop.
std::vector<std::string> ListAfter(const std::string& text, const std::string& lead) {
  const std::size_t at = text.find(lead);
  if (at == std::string::npos) return {};
  const std::size_t begin = at + lead.size();
  return Names(text.substr(begin, text.find('.', begin) - begin));
}

using PlayersTexts = SettingsFileFixture;

TEST_F(PlayersTexts, NameTheGameKeysOfTheKeyTable) {
  for (const char* file : {"dist/README.txt", "dist/Scuffler.ini"}) {
    const std::string text = Text(SourceRoot() / file);
    ASSERT_FALSE(text.empty()) << file;
    EXPECT_THAT(ListAfter(text, "Keys the game itself uses: "),
                testing::UnorderedElementsAreArray(GameKeys()))
        << file;
  }
}

TEST_F(PlayersTexts, TeachOnlyNamesThePluginTakesAsKeysThatWork) {
  const std::string readme = Text(SourceRoot() / "dist/README.txt");
  const std::vector<std::string> taught =
      ListAfter(readme, "F1 to F24; Numpad0 to Numpad9 (these only work with NumLock on); and ");
  const std::vector<std::string> other = ListAfter(readme, "work too, and so do ");
  ASSERT_GE(taught.size(), 20u);
  ASSERT_GE(other.size(), 5u);
  const std::vector<std::string> game = GameKeys();
  for (const std::vector<std::string>* names : {&taught, &other}) {
    for (std::string name : *names) {
      if (name == "Num0") name = "Num5";  // "Num0 to Num9"
      if (name == "to" || name == "Num9") continue;
      const std::optional<std::int32_t> code = KeyCodeByName(name);
      ASSERT_TRUE(code) << name;
      const NamedKey* const key = FindKey(*code);
      ASSERT_NE(key, nullptr) << name;
      const bool listedAsGame =
          std::find(game.begin(), game.end(), std::string(key->name)) != game.end();
      EXPECT_TRUE(key->reach == KeyReach::Keyboard || listedAsGame) << name;
    }
  }
}

}  // namespace
}  // namespace scuffler
