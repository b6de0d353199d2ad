// Scuffler.ini through the real loader and the real file system: the plug-in reads it from the
// working directory (the game's folder) at the start of every tick, even when the loader took the
// plug-in from a subfolder, so an edit between two ticks rebinds a key on the second.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "GameFolder.h"
#include "Harness.h"

namespace {

using namespace wintest;

constexpr const char* kChestKick = "AR_ATTACK_COUNTER_FROM_DODGELEFT_V1";

// The plug-in as a loader that looks in scripts\ loads it.
HMODULE StartPluginFromSubfolder() {
  StandardWorld();
  HMODULE plugin = LoadPlugin(L"scripts\\Scuffler.asi");
  CHECK(plugin != nullptr);
  if (plugin != nullptr) CHECK_EQ(SimHostRunScriptTicks(1), 1);
  return plugin;
}

std::vector<SimHostAction> Tap(std::uint32_t key) {
  bool inWindow = false;
  std::vector<SimHostAction> actions = TapWithinWindow(key, inWindow);
  CHECK(inWindow);
  return actions;
}

std::vector<SimHostAction> ChestKickAgainst(std::int32_t target) {
  return {ActionAgainst(target, kChestKick)};
}

std::string ReadShippedSettings() {
  std::ifstream file(std::filesystem::path(InGameFolder(L"shipped\\Scuffler.ini")),
                     std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void AnEditBetweenTicksRebindsAKey() {
  HMODULE plugin = StartPluginFromSubfolder();
  if (plugin == nullptr) return;
  // Beside the plug-in is not where the game's settings live.
  WriteFile(L"scripts\\Scuffler.ini", "[Scuffler]\r\niKickToChest=72\r\n");
  CHECK(Tap(72).empty());
  CHECK_EQ(Tap(38), ChestKickAgainst(kTarget));

  WriteFile(L"Scuffler.ini", "[Scuffler]\r\niKickToChest=72\r\n");
  CHECK_EQ(Tap(72), ChestKickAgainst(kTarget));
  CHECK(Tap(38).empty());

  // Without the file the last values stay.
  RemoveFile(L"Scuffler.ini");
  CHECK_EQ(Tap(72), ChestKickAgainst(kTarget));
  RemoveFile(L"scripts\\Scuffler.ini");
  FreeLibrary(plugin);
}

void AnEditBetweenTicksChangesTheSearchDistance() {
  HMODULE plugin = StartPluginFromSubfolder();
  if (plugin == nullptr) return;
  WriteFile(L"Scuffler.ini", "[Scuffler]\nMAX_DISTANCE=2.5\n");
  CHECK(Tap(38).empty());
  WriteFile(L"Scuffler.ini", "[Scuffler]\nMAX_DISTANCE=3.5\n");
  CHECK_EQ(Tap(38), ChestKickAgainst(kTarget));
  RemoveFile(L"Scuffler.ini");
  FreeLibrary(plugin);
}

// An editor that keeps the file open, with write and delete access and every sharing, must not
// lock the plug-in out: it opens the file sharing all three ways itself.
void AFileAnEditorHoldsOpenIsStillRead() {
  HMODULE plugin = StartPluginFromSubfolder();
  if (plugin == nullptr) return;
  WriteFile(L"Scuffler.ini", "[Scuffler]\r\niKickToChest=72\r\n");
  const HANDLE editor =
      CreateFileW(InGameFolder(L"Scuffler.ini").c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                  FILE_ATTRIBUTE_NORMAL, nullptr);
  CHECK(editor != INVALID_HANDLE_VALUE);
  CHECK_EQ(Tap(72), ChestKickAgainst(kTarget));
  CHECK(Tap(38).empty());
  CloseHandle(editor);
  RemoveFile(L"Scuffler.ini");
  FreeLibrary(plugin);
}

// A key name is the whole value or nothing: 1.1.0 bound Shift, the first word, here.
void AKeyNameWithMoreAfterItKeepsTheKeyBound() {
  HMODULE plugin = StartPluginFromSubfolder();
  if (plugin == nullptr) return;
  WriteFile(L"Scuffler.ini", "[Scuffler]\r\niKickToChest = Shift+F5\r\n");
  CHECK_EQ(Tap(38), ChestKickAgainst(kTarget));
  CHECK(Tap(16).empty());
  CHECK(Tap(116).empty());
  RemoveFile(L"Scuffler.ini");
  FreeLibrary(plugin);
}

void TheShippedFileBindsTheDefaultKeys() {
  const std::string shipped = ReadShippedSettings();
  CHECK(!shipped.empty());
  HMODULE plugin = StartPluginFromSubfolder();
  if (plugin == nullptr) return;
  WriteFile(L"Scuffler.ini", "[Scuffler]\niKickToChest=72\nMAX_DISTANCE=1\n");
  CHECK_EQ(SimHostRunScriptTicks(1), 1);
  WriteFile(L"Scuffler.ini", shipped);
  CHECK_EQ(Tap(71),
           std::vector<SimHostAction>{ActionAgainst(kTarget, "AR_ATT_COMBO_V2_PT3_LEFTSIDE")});
  CHECK_EQ(Tap(38), ChestKickAgainst(kTarget));
  CHECK_EQ(Tap(40), std::vector<SimHostAction>{
                        ActionAgainst(kTarget, "AR_ATTACK_COUNTER_FROM_DODGERIGHT_V2")});
  CHECK_EQ(Tap(39), std::vector<SimHostAction>{ActionAgainst(kTarget, "AR_KICK_MID_FAR_V01")});
  CHECK_EQ(Tap(37), std::vector<SimHostAction>{ActionAgainst(kTarget, "AR_KICK_LOW_FAR_V01")});
  RemoveFile(L"Scuffler.ini");
  FreeLibrary(plugin);
}

}  // namespace

int main() {
  EnterGameFolder();
  Run("AnEditBetweenTicksRebindsAKey", &AnEditBetweenTicksRebindsAKey);
  Run("AnEditBetweenTicksChangesTheSearchDistance", &AnEditBetweenTicksChangesTheSearchDistance);
  Run("AFileAnEditorHoldsOpenIsStillRead", &AFileAnEditorHoldsOpenIsStillRead);
  Run("AKeyNameWithMoreAfterItKeepsTheKeyBound", &AKeyNameWithMoreAfterItKeepsTheKeyBound);
  Run("TheShippedFileBindsTheDefaultKeys", &TheShippedFileBindsTheDefaultKeys);
  return Finish();
}
