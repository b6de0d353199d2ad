// The sandbox's own copy of where everyone stands, for distances and the map: the peds in the
// order they first appeared, found by handle through an index, so that a recording in which
// thousands of peds come and go replays in time linear in its size.
//
// One per run; not thread-safe.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "SimHook.h"

namespace sandbox {

struct WorldPed {
  std::int32_t handle = 0;
  sim::Vec3 position;
  bool listed = true;  // in the game's ped list now
  bool placed = true;  // its position is known (a replay learns it from the answers)
};

struct World {
  std::vector<WorldPed> peds;
  std::unordered_map<std::int32_t, std::size_t> index;
};

// The ped `handle`, or null.
inline WorldPed* Find(World& world, std::int32_t handle) {
  const auto it = world.index.find(handle);
  return it == world.index.end() ? nullptr : &world.peds[it->second];
}
inline const WorldPed* Find(const World& world, std::int32_t handle) {
  const auto it = world.index.find(handle);
  return it == world.index.end() ? nullptr : &world.peds[it->second];
}

// The ped `handle`, added as `ped` when it is new.
inline WorldPed& FindOrAdd(World& world, const WorldPed& ped) {
  const auto [it, added] = world.index.emplace(ped.handle, world.peds.size());
  if (added) world.peds.push_back(ped);
  return world.peds[it->second];
}

}  // namespace sandbox
