#include "ini/IniFileLoader.h"

#include <filesystem>
#include <ios>
#include <system_error>

#include "ini/ClassifyLine.h"

namespace scuffler {
namespace {

// Any file size fits a buffer on the 64-bit targets the plug-in is built for.
static_assert(sizeof(std::size_t) >= sizeof(std::streamoff), "file size must fit in size_t");

// Room most settings lines fit in, so the accumulator rarely grows.
constexpr std::size_t kTypicalLineLength = 63;

// A directory or a device can open as a stream and then report a size that means nothing
// (or fail every read); only a regular file is worth reading.
bool IsRegularFile(const std::string& fileName) {
  std::error_code error;
  return std::filesystem::is_regular_file(std::filesystem::path(fileName), error) && !error;
}

}  // namespace

IniFileLoader::IniFileLoader(const std::string& fileName) {
  if (IsRegularFile(fileName)) {
    // The default sharing of std::ifstream lets the player's editor keep the file open.
    stream.open(fileName, std::ios::in | std::ios::binary);
  }
}

std::optional<std::vector<std::string>> ReadLines(IniFileLoader& loader) {
  std::ifstream& stream = loader.stream;
  if (!stream.is_open()) {
    return std::nullopt;
  }
  stream.seekg(0, std::ios::end);
  const std::streamoff size = stream.tellg();
  stream.seekg(0, std::ios::beg);
  // A failed query gives -1; never size a buffer from it.
  if (size < 0 || !stream.good()) {
    stream.close();
    return std::nullopt;
  }
  // Zero-filled, so whatever a short read leaves unfilled is NUL and dropped below.
  std::string buffer(static_cast<std::size_t>(size), '\0');
  stream.read(buffer.data(), static_cast<std::streamsize>(size));
  stream.close();

  std::vector<std::string> lines;
  if (buffer.empty()) {
    return lines;
  }
  std::string line;
  line.reserve(kTypicalLineLength);
  for (const char byte : buffer) {
    if (byte == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (byte != '\0' && byte != '\r') {
      line.push_back(byte);
    }
  }
  lines.push_back(line);  // the text after the last LF, even when empty
  return lines;
}

bool ParseInto(IniFileLoader& loader, IniDocument& document) {
  const std::optional<std::vector<std::string>> lines = ReadLines(loader);
  if (!lines) {
    return false;
  }
  std::string currentSection;
  bool seenHeader = false;
  ParsedLine parsed;
  for (const std::string& line : *lines) {
    switch (ClassifyLine(line, parsed)) {
      case LineKind::Section:
        seenHeader = true;
        currentSection = parsed.name;
        GetOrCreate(document, currentSection);  // a bare header still creates its section
        break;
      case LineKind::KeyValue:
        if (seenHeader) {  // keys before the first header belong nowhere
          GetOrCreate(GetOrCreate(document, currentSection), parsed.name) = parsed.value;
        }
        break;
      case LineKind::Blank:
      case LineKind::Comment:
      case LineKind::Unrecognised:
        break;
    }
  }
  return true;
}

}  // namespace scuffler
