#include "ini/IniFileLoader.h"

#include <ios>
#include <string_view>

#include "ini/AssignValuesInPlace.h"
#include "ini/ClassifyLine.h"
#include "ini/ForEachLine.h"

namespace scuffler {
namespace {

// Any file size fits a buffer on the 64-bit targets the plug-in is built for.
static_assert(sizeof(std::size_t) >= sizeof(std::streamoff), "file size must fit in size_t");

// The whole file in one read, then closes it. Empty when the file is not open or its size cannot
// be taken.
std::optional<std::string> ReadWhole(IniFileLoader& loader) {
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
  // Nor from what a directory answers: it opens as a stream on Linux and may report any size. Its
  // first read fails, though, which marks the stream bad (an empty file only reaches its end).
  // That read fills the stream's buffer, so the read below takes the bytes from there: no system
  // call is added, where asking for the file's type would add one.
  stream.peek();
  if (stream.bad()) {
    stream.close();
    return std::nullopt;
  }
  // Zero-filled, so whatever a short read leaves unfilled is NUL and dropped by the splitter.
  std::string bytes(static_cast<std::size_t>(size), '\0');
  stream.read(bytes.data(), static_cast<std::streamsize>(size));
  stream.close();
  return bytes;
}

// Adds the sections and keys of `bytes` to `document`, line by line.
void ParseBytes(const std::string& bytes, IniDocument& document) {
  // The section of the last header, null before the first. Only a header adds sections to the
  // document, and each header sets this afresh, so it never points at a moved section.
  IniSection* currentSection = nullptr;
  ParsedLine parsed;
  ForEachLine(bytes, [&](std::string_view line) {
    switch (ClassifyLineText(line, parsed)) {
      case LineKind::Section:
        currentSection = &GetOrCreate(document, parsed.name);  // a bare header still creates it
        break;
      case LineKind::KeyValue:
        if (currentSection != nullptr) {  // keys before the first header belong nowhere
          GetOrCreate(*currentSection, parsed.name) = parsed.value;
        }
        break;
      case LineKind::Blank:
      case LineKind::Comment:
      case LineKind::Unrecognised:
        break;
    }
    return true;
  });
}

}  // namespace

IniFileLoader::IniFileLoader(const std::string& fileName)
    // The default sharing of std::ifstream lets the player's editor keep the file open.
    : stream(fileName, std::ios::in | std::ios::binary) {}

std::optional<std::vector<std::string>> ReadLines(IniFileLoader& loader) {
  const std::optional<std::string> bytes = ReadWhole(loader);
  if (!bytes) {
    return std::nullopt;
  }
  std::vector<std::string> lines;
  ForEachLine(*bytes, [&lines](std::string_view line) {
    lines.emplace_back(line);
    return true;
  });
  return lines;
}

bool ParseInto(IniFileLoader& loader, IniDocument& document) {
  const std::optional<std::string> bytes = ReadWhole(loader);
  if (!bytes) {
    return false;
  }
  ParseBytes(*bytes, document);
  return true;
}

bool Reparse(IniFileLoader& loader, IniDocument& document) {
  const std::optional<std::string> bytes = ReadWhole(loader);
  if (!bytes) {
    Clear(document);
    return false;
  }
  if (!AssignValuesInPlace(*bytes, document)) {
    Clear(document);
    ParseBytes(*bytes, document);
  }
  return true;
}

}  // namespace scuffler
