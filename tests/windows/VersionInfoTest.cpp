// Scuffler.asi carries a version resource naming the product and the project's version, which
// is what Explorer shows in the file's properties.
#include <cstring>
#include <string>
#include <vector>

#include "GameFolder.h"
#include "Harness.h"

namespace {

using namespace wintest;

std::wstring Widen(const char* text) { return std::wstring(text, text + std::strlen(text)); }

void TheResourceNamesTheProductAndItsVersion() {
  const std::wstring path = InGameFolder(L"Scuffler.asi");
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  CHECK(size > 0);
  if (size == 0) return;
  std::vector<unsigned char> block(size);
  CHECK(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

  void* value = nullptr;
  UINT length = 0;
  CHECK(VerQueryValueW(block.data(), L"\\", &value, &length));
  if (value != nullptr && length >= sizeof(VS_FIXEDFILEINFO)) {
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    CHECK_EQ(fixed->dwSignature, 0xFEEF04BDu);
    CHECK_EQ(fixed->dwFileVersionMS, DWORD{SCUFFLER_VERSION_MAJOR} << 16 | SCUFFLER_VERSION_MINOR);
    CHECK_EQ(fixed->dwFileVersionLS, DWORD{SCUFFLER_VERSION_PATCH} << 16);
    CHECK_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
  }

  const auto text = [&block](const wchar_t* name) {
    void* found = nullptr;
    UINT count = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(block.data(), key.c_str(), &found, &count) || found == nullptr)
      return std::wstring();
    return std::wstring(static_cast<const wchar_t*>(found));
  };
  CHECK(text(L"ProductName") == L"Scuffler");
  CHECK(text(L"ProductVersion") == Widen(SCUFFLER_VERSION));
  CHECK(text(L"FileVersion") == Widen(SCUFFLER_VERSION));
  CHECK(text(L"OriginalFilename") == L"Scuffler.asi");
}

}  // namespace

int main() {
  EnterGameFolder();
  Run("TheResourceNamesTheProductAndItsVersion", &TheResourceNamesTheProductAndItsVersion);
  return Finish();
}
