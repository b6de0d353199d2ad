#include "GameFolder.h"

#include <filesystem>
#include <fstream>

#include "hook/NativeHashes.h"

bool operator==(const SimHostAction& a, const SimHostAction& b) {
  return a.actor == b.actor && a.target == b.target && a.actionHash == b.actionHash;
}

std::ostream& operator<<(std::ostream& out, const SimHostAction& action) {
  return out << "{actor " << action.actor << ", target " << action.target << ", action 0x"
             << std::hex << action.actionHash << std::dec << "}";
}

std::ostream& operator<<(std::ostream& out, const std::vector<SimHostAction>& actions) {
  out << "[";
  for (const SimHostAction& action : actions) out << " " << action;
  return out << " ]";
}

namespace wintest {
namespace {

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

}  // namespace

void EnterGameFolder() {
  SetCurrentDirectoryW(ProgramFolder().c_str());
  RemoveFile(L"Scuffler.ini");
  RemoveFile(L"scripts\\Scuffler.ini");
}

void StandardWorld() {
  SimHostReset();
  SimHostSetPlayer(kPlayer, 0, 0, 0);
  SimHostAddPed(kIneligible, 1, 0, 0);
  SimHostSetPedAnswer(kIneligible, scuffler::hash::kDoesEntityExist, 0);
  SimHostAddPed(kTarget, 3, 0, 0);
  SimHostAddPed(kFarther, 6, 0, 0);
  SimHostAddPed(kOutOfRange, 20, 0, 0);
}

std::wstring InGameFolder(const wchar_t* relative) { return ProgramFolder() + relative; }

HMODULE LoadPlugin(const wchar_t* relative) { return LoadLibraryW(InGameFolder(relative).c_str()); }

bool ImageContains(HMODULE module, const void* address) {
  // The image size is in the PE optional header, which the loader maps at the module base.
  const auto* base = reinterpret_cast<const unsigned char*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const auto* at = static_cast<const unsigned char*>(address);
  return at >= base && at < base + nt->OptionalHeader.SizeOfImage;
}

std::vector<SimHostCall> TakeCalls() {
  std::vector<SimHostCall> calls(static_cast<std::size_t>(SimHostCallCount()));
  for (std::size_t i = 0; i < calls.size(); ++i) SimHostCallAt(static_cast<int>(i), &calls[i]);
  SimHostClearCalls();
  return calls;
}

std::vector<SimHostAction> TakeActions() {
  std::vector<SimHostAction> actions(static_cast<std::size_t>(SimHostActionCount()));
  for (std::size_t i = 0; i < actions.size(); ++i)
    SimHostActionAt(static_cast<int>(i), &actions[i]);
  SimHostClearActions();
  return actions;
}

void WriteFile(const wchar_t* relative, const std::string& text) {
  std::ofstream file(std::filesystem::path(InGameFolder(relative)),
                     std::ios::binary | std::ios::trunc);
  file << text;
}

void RemoveFile(const wchar_t* relative) { DeleteFileW(InGameFolder(relative).c_str()); }

void TapKey(std::uint32_t key) {
  SimHostSendKey(key, 0, 0);
  SimHostSendKey(key, 1, 1);
}

std::vector<SimHostAction> TapWithinWindow(std::uint32_t key, bool& inWindow) {
  std::vector<SimHostAction> actions;
  inWindow = false;
  for (int attempt = 0; attempt < 5 && !inWindow; ++attempt) {
    TakeActions();
    const DWORD before = GetTickCount();
    TapKey(key);
    SimHostRunScriptTicks(1);
    inWindow = GetTickCount() - before < kReleaseWindowMs;
    actions = TakeActions();
  }
  return actions;
}

std::vector<SimHostAction> TapPastWindow(std::uint32_t key) {
  TakeActions();
  TapKey(key);
  const DWORD tapped = GetTickCount();
  while (GetTickCount() - tapped < kReleaseWindowMs + 20) Sleep(25);
  SimHostRunScriptTicks(1);
  return TakeActions();
}

SimHostAction ActionAgainst(std::int32_t target, const char* name) {
  return {kPlayer, target, SimHostNameHash(name)};
}

}  // namespace wintest
