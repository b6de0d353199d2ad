// The game's recording sink: numbered files in the current folder (RecordingSink.h).
#include <algorithm>
#include <cstring>

#include "platform/PlatformFile.h"
#include "record/RecordingSink.h"

namespace scuffler {
namespace {

constexpr char kFilePrefix[] = "Scuffler-recording-";
constexpr char kFileSuffix[] = ".bin";
constexpr std::size_t kMostListed = 64;
constexpr std::uint32_t kFilesKept = 5;
constexpr std::uint32_t kHighestNumber = 0xFFFFFFFFu;

struct Listed {
  std::uint32_t numbers[kMostListed];
  std::size_t count = 0;
  std::uint32_t highest = 0;
};

void NoteRecording(const char* name, void* context) {
  Listed& listed = *static_cast<Listed*>(context);
  const std::uint32_t number = RecordingNumber(name);
  if (number == 0) return;
  listed.highest = std::max(listed.highest, number);
  if (listed.count < kMostListed) listed.numbers[listed.count++] = number;
}

// Writes the runs to `name` and closes it; false on any error, the close's included.
bool WriteRuns(const char* name, const ByteRun* runs, std::size_t count) {
  PlatformFile file = CreateForWriting(name);
  if (!IsOpen(file)) return false;
  bool ok = true;
  for (std::size_t i = 0; i < count && ok; ++i) {
    ok = runs[i].size == 0 || WriteAll(file, runs[i].bytes, runs[i].size);
  }
  const bool closed = CloseFile(file);
  return ok && closed;
}

bool SaveInFolder(const ByteRun* runs, std::size_t count, void* /*context*/) {
  Listed listed;
  if (!ListCurrentFolder(&NoteRecording, &listed)) return false;
  // Past the highest number a name can carry, a save would overwrite; nothing is saved.
  if (listed.highest == kHighestNumber) return false;
  const std::uint32_t number = listed.highest + 1;
  char name[40];
  char scratch[48];
  RecordingFileName(number, name);
  std::strcpy(scratch, name);
  std::strcat(scratch, ".tmp");
  // Written beside and renamed: a failed save (read-only folder, full disk) leaves no partial
  // file under the real name, and the game never learns of it.
  if (!WriteRuns(scratch, runs, count) || !ReplaceFileWith(scratch, name)) {
    RemoveFileNamed(scratch);
    return false;
  }
  for (std::size_t i = 0; i < listed.count; ++i) {
    // Each listed number is below `number`: the difference never wraps.
    if (number - listed.numbers[i] >= kFilesKept) {
      RecordingFileName(listed.numbers[i], name);
      RemoveFileNamed(name);
    }
  }
  return true;
}

bool Discard(const ByteRun* /*runs*/, std::size_t /*count*/, void* /*context*/) { return false; }

}  // namespace

const RecordingSink kFolderSink{&SaveInFolder, nullptr};
const RecordingSink kDiscardingSink{&Discard, nullptr};

std::uint32_t RecordingNumber(const char* name) {
  const std::size_t prefix = sizeof kFilePrefix - 1;
  if (std::strncmp(name, kFilePrefix, prefix) != 0) return 0;
  std::uint64_t number = 0;
  const char* at = name + prefix;
  for (; *at >= '0' && *at <= '9'; ++at) {
    number = number * 10 + static_cast<std::uint64_t>(*at - '0');
    if (number > kHighestNumber) return 0;
  }
  return std::strcmp(at, kFileSuffix) == 0 ? static_cast<std::uint32_t>(number) : 0;
}

void RecordingFileName(std::uint32_t number, char* name) {
  // By hand: the C library's formatted printing would add more to the plug-in than all of this.
  char digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + number % 10);
    number /= 10;
  } while (number != 0);
  name = std::copy(kFilePrefix, kFilePrefix + sizeof kFilePrefix - 1, name);
  while (count > 0) *name++ = digits[--count];
  std::strcpy(name, kFileSuffix);
}

}  // namespace scuffler
