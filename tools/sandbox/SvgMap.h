// A top-down picture of one tick as SVG: the player in the middle, the peds around it, the
// MAX_DISTANCE circle, and which ped the plug-in took as its target or reports as engaged, so the
// search radius can be tuned by looking. North (y) is up; height (z) is left out of the drawing
// but not out of the distances written beside each ped.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SimHook.h"

namespace sandbox {

struct MapPed {
  std::int32_t handle = 0;
  sim::Vec3 position;
  bool listed = true;     // returned by the game's ped enumeration
  bool eligible = false;  // passes the plug-in's eligibility checks
  std::string check;      // when not eligible: the check it failed, written beside it
};

struct MapView {
  int tick = 0;
  std::int32_t player = 0;
  sim::Vec3 playerPosition;
  std::vector<MapPed> peds;  // the player's own ped left out
  // Peds of the game's list that no answer placed (a replay): named below the map with their
  // check, as they cannot be drawn.
  std::vector<MapPed> unplaced;
  std::int32_t target = 0;
  std::int32_t engaged = 0;
  float maxDistance = 0;
};

std::string DrawMap(const MapView& view);

}  // namespace sandbox
