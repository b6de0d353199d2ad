#include <gtest/gtest.h>

#include <cmath>

#include "SvgMap.h"

namespace sandbox {
namespace {

// Player at (100, 100): the map is drawn around the player, wherever it stands. MAX_DISTANCE 10
// spans two thirds of the 290-pixel map radius, so a world unit is 290 / 15 pixels.
MapView View() {
  MapView view;
  view.tick = 18;
  view.player = 1;
  view.playerPosition = {100, 100, 0};
  view.maxDistance = 10;
  view.peds = {{20, {110, 100, 0}, true, true, ""},
               {25, {100, 97, 4}, true, false, "IS_PED_RAGDOLL"},
               {41, {100, 88, 0}, false, true, ""},
               {40, {160, 100, 0}, true, true, ""}};
  view.target = 20;
  view.engaged = 41;
  return view;
}

bool Has(const std::string& svg, const std::string& part) {
  return svg.find(part) != std::string::npos;
}

TEST(SvgMapTest, AHollowPedIsLabelledWithTheCheckItFailed) {
  const std::string svg = DrawMap(View());
  EXPECT_TRUE(Has(svg, ">ped 25, 5.00 away, IS_PED_RAGDOLL</text>")) << svg;
  EXPECT_TRUE(Has(svg, ">ped 20, 10.00 away</text>")) << svg;
}

TEST(SvgMapTest, ListedPedsWithoutPositionsAreNamedBelowTheMapTenAtMost) {
  MapView view = View();
  EXPECT_FALSE(Has(DrawMap(view), "no answer gave"));
  for (int i = 0; i < 12; ++i) view.unplaced.push_back({50 + i, {}, true, false, "IS_ENTITY_DEAD"});
  const std::string svg = DrawMap(view);
  EXPECT_TRUE(Has(svg, "height=\"956.0\" viewBox=\"0 0 820.0 956.0\"")) << svg;  // 12 lines more
  EXPECT_TRUE(Has(svg, ">ped 50: IS_ENTITY_DEAD</text>"));
  EXPECT_TRUE(Has(svg, ">ped 59: IS_ENTITY_DEAD</text>"));
  EXPECT_FALSE(Has(svg, ">ped 60: "));
  EXPECT_TRUE(Has(svg, ">and 2 more</text>"));
}

TEST(SvgMapTest, IsOneSvgDocument) {
  const std::string svg = DrawMap(View());
  EXPECT_EQ(
      svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"820.0\" height=\"740.0\"", 0),
      0u);
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

TEST(SvgMapTest, TitleNamesTickTargetEngagedAndRadius) {
  EXPECT_TRUE(
      Has(DrawMap(View()), ">tick 18: target ped 20, engaged ped 41, MAX_DISTANCE 10</text>"));
  MapView none = View();
  none.target = 0;
  none.engaged = 0;
  EXPECT_TRUE(Has(DrawMap(none), ">tick 18: no target, no engaged ped, MAX_DISTANCE 10</text>"));
}

TEST(SvgMapTest, RadiusCircleAroundThePlayer) {
  const std::string svg = DrawMap(View());
  EXPECT_TRUE(Has(svg,
                  "<circle cx=\"410.0\" cy=\"340.0\" r=\"193.3\" fill=\"#1f6fd1\" "
                  "fill-opacity=\"0.05\""));
  EXPECT_TRUE(Has(svg, ">MAX_DISTANCE 10</text>"));
}

TEST(SvgMapTest, PedsWhereTheyStandWithTheirRoles) {
  const std::string svg = DrawMap(View());
  // Ped 20, 10 units east: on the circle, filled, ringed as the target, labelled outwards.
  EXPECT_TRUE(Has(svg, "<circle cx=\"603.3\" cy=\"340.0\" r=\"6.0\" fill=\"#333333\"/>"));
  EXPECT_TRUE(
      Has(svg, "<circle cx=\"603.3\" cy=\"340.0\" r=\"14.0\" fill=\"none\" stroke=\"#d62828\""));
  EXPECT_TRUE(Has(svg, "<text x=\"619.3\" y=\"344.0\" fill=\"#333333\" text-anchor=\"start\""));
  EXPECT_TRUE(Has(svg, ">ped 20, 10.00 away</text>"));
  EXPECT_TRUE(Has(svg, ">target</text>"));
  // Ped 25, 3 south and 4 up: hollow (may not be fought), 5 away though drawn 3 from the player.
  EXPECT_TRUE(Has(svg,
                  "<circle cx=\"410.0\" cy=\"398.0\" r=\"6.0\" fill=\"white\" stroke=\"#8a8a8a\" "
                  "stroke-width=\"2\"/>"));
  EXPECT_TRUE(Has(svg, ">ped 25, 5.00 away, IS_PED_RAGDOLL</text>"));
  // Ped 41, unlisted: dashed; engaged: a square.
  EXPECT_TRUE(Has(svg,
                  "<circle cx=\"410.0\" cy=\"572.0\" r=\"6.0\" fill=\"white\" "
                  "stroke=\"#8a8a8a\" stroke-width=\"2\" stroke-dasharray=\"3 2\"/>"));
  EXPECT_TRUE(Has(svg,
                  "<rect x=\"399.0\" y=\"561.0\" width=\"22\" height=\"22\" fill=\"none\" "
                  "stroke=\"#e07b00\""));
  EXPECT_TRUE(Has(svg, ">engaged</text>"));
}

TEST(SvgMapTest, PedsBeyondTheMapSitOnItsEdgeAndSaySo) {
  const std::string svg = DrawMap(View());
  // Ped 40, 60 east: pinned 290 pixels out, label turned inwards.
  EXPECT_TRUE(Has(svg, "<circle cx=\"700.0\" cy=\"340.0\" r=\"6.0\""));
  EXPECT_TRUE(Has(svg, "<text x=\"684.0\" y=\"344.0\" fill=\"#333333\" text-anchor=\"end\""));
  EXPECT_TRUE(Has(svg, ">ped 40, 60.00 away (off the map)</text>"));
}

TEST(SvgMapTest, WithoutAUsableRadiusThePedsSetTheScale) {
  MapView view = View();
  view.maxDistance = std::nanf("");
  view.peds.resize(1);
  const std::string svg = DrawMap(view);
  EXPECT_FALSE(Has(svg, "fill-opacity"));
  // 10 units to the farthest ped, plus a margin of 12 %.
  EXPECT_TRUE(Has(svg, "<circle cx=\"668.9\" cy=\"340.0\" r=\"6.0\""));
}

}  // namespace
}  // namespace sandbox
