#include <gtest/gtest.h>

#include "Scenario.h"
#include "hook/NativeHashes.h"

namespace sandbox {
namespace {

namespace hash = scuffler::hash;

constexpr const char* kPlayer = R"("player": {"handle": 1, "position": [0, 0, 0]})";

Scenario Parse(const std::string& text) {
  const ParsedScenario parsed = ParseScenario(text, "s.json");
  EXPECT_EQ(parsed.error, "");
  return parsed.scenario.value_or(Scenario{});
}

std::string Error(const std::string& text) {
  const ParsedScenario parsed = ParseScenario(text, "s.json");
  EXPECT_FALSE(parsed.scenario.has_value());
  return parsed.error;
}

// A scenario with the player and `rest` (more top-level fields).
std::string With(const std::string& rest) { return std::string("{") + kPlayer + ", " + rest + "}"; }

TEST(ScenarioTest, DefaultsForWhatIsNotGiven) {
  const Scenario scenario = Parse(std::string("{") + kPlayer + "}");
  EXPECT_EQ(scenario.ticks, 60);
  EXPECT_EQ(scenario.tickMs, 16);
  EXPECT_EQ(scenario.description, "");
  EXPECT_EQ(scenario.player.handle, 1);
  EXPECT_TRUE(scenario.player.listed);
  EXPECT_TRUE(scenario.peds.empty());
  EXPECT_TRUE(scenario.events.empty());
}

TEST(ScenarioTest, PedsWithFailingChecksAndAnswers) {
  const Scenario scenario = Parse(With(R"("peds": [
    {"handle": 10, "position": [3, 4]},
    {"handle": 11, "position": [1.5, -2, 7], "listed": false,
     "fails": ["DOES_ENTITY_EXIST", "IS_PED_IN_COMBAT"], "answers": {"0x7EE53118C892B513": 256}}
  ])"));
  ASSERT_EQ(scenario.peds.size(), 2u);
  EXPECT_EQ(scenario.peds[0].position.x, 3.0f);
  EXPECT_EQ(scenario.peds[0].position.y, 4.0f);
  EXPECT_EQ(scenario.peds[0].position.z, 0.0f);
  EXPECT_TRUE(scenario.peds[0].listed);
  const PedSpec& ped = scenario.peds[1];
  EXPECT_EQ(ped.position.x, 1.5f);
  EXPECT_EQ(ped.position.z, 7.0f);
  EXPECT_FALSE(ped.listed);
  ASSERT_EQ(ped.answers.size(), 3u);
  // DOES_ENTITY_EXIST must hold, so failing it takes 0; IS_PED_IN_COMBAT fails on nonzero.
  EXPECT_EQ(ped.answers[0].hash, hash::kDoesEntityExist);
  EXPECT_EQ(ped.answers[0].value, 0);
  EXPECT_EQ(ped.answers[1].hash, hash::kIsPedInCombat);
  EXPECT_EQ(ped.answers[1].value, 1);
  EXPECT_EQ(ped.answers[2].name, "0x7EE53118C892B513");
  EXPECT_EQ(ped.answers[2].hash, hash::kGetPedConfigFlag);
  EXPECT_EQ(ped.answers[2].value, 256);
}

TEST(ScenarioTest, EventsInTickThenMsOrderWithOpeningChangesFirst) {
  const Scenario scenario = Parse(With(R"("ticks": 9, "engaged": 13,
    "answers": {"IS_USING_KEYBOARD_AND_MOUSE": 0},
    "events": [
      {"tick": 3, "ms": 5, "release": "Up"},
      {"tick": 1, "ini": null},
      {"tick": 3, "press": 38},
      {"tick": 3, "tap": "g"},
      {"tick": 2, "answers": {"IS_CONTROL_JUST_PRESSED": null}}
    ])"));
  ASSERT_EQ(scenario.events.size(), 7u);
  EXPECT_EQ(std::get<EngagedChange>(scenario.events[0].change).ped, 13);
  EXPECT_EQ(std::get<WorldAnswers>(scenario.events[1].change).answers[0].value, 0);
  EXPECT_FALSE(std::get<IniChange>(scenario.events[2].change).text.has_value());
  const NativeAnswer& cleared = std::get<WorldAnswers>(scenario.events[3].change).answers[0];
  EXPECT_EQ(cleared.hash, hash::kIsControlJustPressed);
  EXPECT_FALSE(cleared.value.has_value());
  // Tick 3: ms 0 before ms 5, and the two at ms 0 as written.
  EXPECT_EQ(std::get<KeyEvent>(scenario.events[4].change).motion, KeyMotion::Press);
  EXPECT_EQ(std::get<KeyEvent>(scenario.events[4].change).key, 38u);
  EXPECT_EQ(std::get<KeyEvent>(scenario.events[5].change).motion, KeyMotion::Tap);
  EXPECT_EQ(std::get<KeyEvent>(scenario.events[5].change).key, 71u);
  EXPECT_EQ(scenario.events[6].ms, 5);
  EXPECT_EQ(std::get<KeyEvent>(scenario.events[6].change).motion, KeyMotion::Release);
}

TEST(ScenarioTest, IniLinesEachEndWithANewlineAndTextIsKeptAsWritten) {
  const Scenario scenario = Parse(With(R"("events": [
      {"tick": 1, "ini": ["[Scuffler]", "iKickToChest = 72"]},
      {"tick": 2, "ini": "[Scuffler]\r\nMAX_DISTANCE = 4"}
    ])"));
  EXPECT_EQ(std::get<IniChange>(scenario.events[0].change).text, "[Scuffler]\niKickToChest = 72\n");
  EXPECT_EQ(std::get<IniChange>(scenario.events[1].change).text, "[Scuffler]\r\nMAX_DISTANCE = 4");
}

TEST(ScenarioTest, PedEventChangesOnlyWhatItNames) {
  const Scenario scenario = Parse(With(R"("peds": [{"handle": 5, "position": [1, 1]}],
    "events": [{"tick": 4, "ped": 5, "answers": {"IS_ENTITY_DEAD": 1}},
               {"tick": 4, "ped": 1, "position": [2, 2, 2]}])"));
  const auto& first = std::get<PedChange>(scenario.events[0].change);
  EXPECT_EQ(first.handle, 5);
  EXPECT_FALSE(first.position.has_value());
  EXPECT_FALSE(first.listed.has_value());
  ASSERT_EQ(first.answers.size(), 1u);
  EXPECT_EQ(first.answers[0].hash, hash::kIsEntityDead);
  const auto& second = std::get<PedChange>(scenario.events[1].change);
  EXPECT_EQ(second.handle, 1);
  EXPECT_EQ(second.position->z, 2.0f);
}

TEST(ScenarioTest, TextThatIsNotJsonGivesLineAndColumn) {
  EXPECT_EQ(Error("{\n  \"ticks\": 3,\n  \"player\" {}\n}"),
            "s.json:3:12: not valid JSON: syntax error while parsing object separator - "
            "unexpected '{'; expected ':'");
  EXPECT_EQ(Error(""),
            "s.json:1:1: not valid JSON: syntax error while parsing value - "
            "unexpected end of input; expected '[', '{', or a literal");
}

TEST(ScenarioTest, QuotedBytesOfABrokenFileArePrintable) {
  EXPECT_EQ(Error("{\"description\": \"\xff\"}"),
            "s.json:1:18: not valid JSON: syntax error while parsing value - invalid string: "
            "ill-formed UTF-8 byte; last read: '\"?'");
}

TEST(ScenarioTest, UnknownFieldNamesItsPathAndTheKnownOnes) {
  EXPECT_EQ(
      Error(With(R"("peds": [{"handle": 2, "position": [1, 1]}, {"handle": 3, "lisetd": 1}])")),
      "s.json: peds[1].lisetd: unknown field; known here: handle, position, listed, fails, "
      "answers");
  EXPECT_EQ(Error(With(R"("tick": 3)")),
            "s.json: tick: unknown field; known here: description, ticks, first_tick, tick_ms, "
            "tick_clocks, "
            "settings, player, peds, engaged, answers, events");
}

TEST(ScenarioTest, WrongTypesAreNamed) {
  EXPECT_EQ(Error(With(R"("peds": [{"handle": 2, "position": [1, "x"]}])")),
            "s.json: peds[0].position[1]: expected a number, found \"x\"");
  EXPECT_EQ(Error(With(R"("peds": [{"handle": 2, "position": {"x": 1}}])")),
            "s.json: peds[0].position: expected [x, y, z] or [x, y], found an object");
  EXPECT_EQ(Error(With(R"("ticks": 2.5)")), "s.json: ticks: expected a whole number, found 2.5");
  EXPECT_EQ(Error(With(R"("peds": [{"handle": 2, "position": [1, 1], "listed": "no"}])")),
            "s.json: peds[0].listed: expected true or false, found \"no\"");
  EXPECT_EQ(Error("[]"), "s.json: expected an object {...}, found an array");
}

TEST(ScenarioTest, MissingFieldsAndRanges) {
  EXPECT_EQ(Error("{}"), "s.json: player: missing");
  EXPECT_EQ(Error(R"({"player": {"handle": 1}})"), "s.json: player.position: missing");
  EXPECT_EQ(Error(R"({"player": {"handle": 0, "position": [0, 0]}})"),
            "s.json: player.handle: 0 means no ped; give a nonzero handle");
  EXPECT_EQ(Error(With(R"("ticks": 0)")), "s.json: ticks: 0 is out of range (1 to 1000000)");
  EXPECT_EQ(Error(With(R"("ticks": 18446744073709551615)")),
            "s.json: ticks: 18446744073709551615 is out of range (1 to 1000000)");
  EXPECT_EQ(Error(With(R"("tick_ms": -16)")), "s.json: tick_ms: -16 is out of range (1 to 60000)");
  EXPECT_EQ(Error(With(R"("ticks": 5, "events": [{"tick": 6, "tap": "G"}])")),
            "s.json: events[0].tick: 6 is out of range (1 to 5)");
  EXPECT_EQ(Error(With(R"("events": [{"tick": 2, "ms": 17, "tap": "G"}])")),
            "s.json: events[0].ms: 17 is out of range (0 to 16)");
  EXPECT_EQ(Error(With(R"("peds": [{"handle": 1, "position": [1, 1]}])")),
            "s.json: peds[0].handle: 1 is taken already; each ped needs a handle of its own");
}

TEST(ScenarioTest, UnknownKeyNamesAndCodes) {
  EXPECT_EQ(Error(With(R"("events": [{"tick": 2, "tap": "Gee"}])")),
            "s.json: events[0].tap: unknown key \"Gee\"; name a letter, D0 to D9, F1 to F24, "
            "Numpad0 to Numpad9, Left, Up, Right, Down, Space, Enter, Tab, Escape, Shift, Ctrl, "
            "Alt..., or give a code 0 to 254");
  EXPECT_EQ(Error(With(R"("events": [{"tick": 2, "press": 255}])")),
            "s.json: events[0].press: 255 is out of range (0 to 254)");
}

TEST(ScenarioTest, EventsMakeExactlyOneKnownChange) {
  EXPECT_EQ(Error(With(R"("events": [{"tick": 2}])")),
            "s.json: events[0]: says nothing to do; give one of: tap, press, release, ped, "
            "engaged, answers, ini");
  EXPECT_EQ(
      Error(With(R"("events": [{"tick": 2, "tap": "G", "ini": null}])")),
      "s.json: events[0]: has both \"tap\" and \"ini\"; give each change an event of its own");
  EXPECT_EQ(Error(With(R"("events": [{"tick": 2, "tap": "G", "position": [1, 1]}])")),
            "s.json: events[0].position: unknown field; known here: tick, ms, tap");
  EXPECT_EQ(Error(With(R"("events": [{"tick": 2, "ped": 7, "position": [1, 1]}])")),
            "s.json: events[0].ped: no ped 7 in \"player\" or \"peds\"");
  EXPECT_EQ(Error(With(R"("events": [{"tick": 2, "ini": 5}])")),
            "s.json: events[0].ini: expected the file's lines [\"...\"], its text \"...\", an "
            "object {...} or null, found 5");
}

// What a scenario made from a recording holds: each tick's clock, the Settings before the first
// load, answers that change within a tick, and settings files no text can stand for.
TEST(ScenarioTest, WhatARecordingNeedsIsReadAndChecked) {
  const Scenario scenario = Parse(With(
      R"("tick_clocks": [4294967290, 0, 7], "settings": {"iKickToChest": "F5",
         "MAX_DISTANCE": 2.5, "iControllerRandomKick": false},
         "answers": {"IS_PAUSE_MENU_ACTIVE": [0, 1]},
         "events": [{"tick": 3, "ms": 7, "ini": {"unreadable": true}},
                    {"tick": 2, "ini": {"lines": ["[Scuffler]"], "padded_to": 1048577}}])"));
  EXPECT_EQ(scenario.ticks, 3);
  EXPECT_EQ(TickClock(scenario, 0), 4294967290u);
  EXPECT_EQ(TickClock(scenario, 2), 0u);
  EXPECT_EQ(TickClock(scenario, 3), 7u);
  ASSERT_TRUE(scenario.settings.has_value());
  EXPECT_EQ(scenario.settings->iKickToChest, 116);
  EXPECT_EQ(scenario.settings->MAX_DISTANCE, 2.5f);
  EXPECT_FALSE(scenario.settings->iControllerRandomKick);
  EXPECT_EQ(scenario.settings->iKickToLeg, 40);  // not given: the default
  const auto& pause = std::get<WorldAnswers>(scenario.events[0].change).answers[0];
  EXPECT_EQ(pause.earlier, std::vector<std::int32_t>{0});
  EXPECT_EQ(pause.value, 1);
  const auto& padded = std::get<IniChange>(scenario.events[1].change);
  EXPECT_EQ(padded.text, "[Scuffler]\n");
  EXPECT_EQ(padded.paddedTo, 1048577u);
  EXPECT_TRUE(std::get<IniChange>(scenario.events[2].change).unreadable);

  const std::pair<const char*, const char*> kWrong[] = {
      {R"("tick_clocks": [5, 4])", "tick_clocks[1]: runs back from 5"},
      {R"("tick_clocks": [], "ticks": 1)",
       "tick_clocks: expected each tick's clock [ms, ...], found an array"},
      {R"("ticks": 2, "tick_clocks": [1])", "tick_clocks: has 1 clocks for 2 ticks"},
      {R"("tick_ms": 5, "tick_clocks": [1])", "tick_clocks: give tick_clocks or tick_ms, not both"},
      {R"("tick_clocks": [10, 20], "events": [{"tick": 2, "ms": 11, "tap": "G"}])",
       "events[0].ms: 11 is out of range (0 to 10)"},
      {R"("settings": {"iKickToChest": "F 5"})",
       "settings.iKickToChest: \"F 5\" is not a value the plug-in reads whole for iKickToChest"},
      {R"("settings": {"MAX_DIST": 3})", "settings.MAX_DIST: Scuffler.ini has no such setting"},
      {R"("answers": {"IS_PAUSE_MENU_ACTIVE": []})",
       "answers.IS_PAUSE_MENU_ACTIVE: expected at least one answer, found []"},
      {R"("events": [{"tick": 1, "ini": {"unreadable": true, "text": ""}}])",
       "events[0].ini.unreadable: give it alone, as true"},
      {R"("events": [{"tick": 1, "ini": {"padded_to": 9}}])",
       "events[0].ini: give the file's \"lines\" or its \"text\", one of them"},
      {R"("events": [{"tick": 1, "ini": {"text": "abc", "padded_to": 2}}])",
       "events[0].ini.padded_to: 2 is out of range (3 to 16777216)"},
  };
  for (const auto& [json, message] : kWrong) {
    EXPECT_EQ(Error(With(json)), std::string("s.json: ") + message) << json;
  }
}

TEST(ScenarioTest, NativesAnsweredWhereTheyCanBe) {
  EXPECT_EQ(
      Error(std::string(R"({"player": {"handle": 1, "position": [0, 0], "fails": ["dead"]}})")),
      "s.json: player.fails[0]: \"dead\" is not a native that can be answered for one ped; "
      "known: DOES_ENTITY_EXIST, IS_PED_HUMAN, IS_ENTITY_DEAD, IS_PED_FATALLY_INJURED, "
      "IS_PED_ON_MOUNT, IS_PED_IN_ANY_VEHICLE, IS_ENTITY_IN_WATER, IS_PED_INCAPACITATED, "
      "IS_PED_RAGDOLL, GET_PED_CONFIG_FLAG, GET_PED_IS_GRAPPLING, IS_PED_IN_COMBAT");
  // The controller natives answer whatever the ped, so they are answered for the whole game only.
  EXPECT_NE(Error(With(R"("peds": [{"handle": 2, "position": [1, 1],
                                     "answers": {"IS_USING_KEYBOARD_AND_MOUSE": 0}}])"))
                .find("peds[0].answers.IS_USING_KEYBOARD_AND_MOUSE: "
                      "\"IS_USING_KEYBOARD_AND_MOUSE\" is not a native that can be answered "
                      "for one ped"),
            std::string::npos);
  EXPECT_NE(
      Error(With(R"("answers": {"0x1234": 1})"))
          .find("s.json: answers.0x1234: \"0x1234\" is not a native that can be answered here; "
                "known: "),
      std::string::npos);
  // Only the game-wide answers can be taken back.
  EXPECT_EQ(Error(With(R"("peds": [{"handle": 2, "position": [1, 1],
                                     "answers": {"IS_PED_IN_COMBAT": null}}])")),
            "s.json: peds[0].answers.IS_PED_IN_COMBAT: expected a whole number, found null");
}

}  // namespace
}  // namespace sandbox
