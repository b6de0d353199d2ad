#include "ini/IniFileLoader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ini/AssignValuesInPlace.h"
#include "ini/ForEachLine.h"
#include "ini/ParseLines.h"

namespace scuffler {
namespace {

// Any file size fits a buffer on the 64-bit targets the plug-in is built for.
static_assert(sizeof(std::size_t) >= sizeof(std::uint64_t), "file size must fit in size_t");

// Makes `bytes` the whole file, then closes it. False when the file is not open, its size cannot
// be taken or a read fails (a directory, where one opens). Bytes that a short read leaves
// unfilled are NUL, which the line splitter drops.
bool ReadWhole(IniFileLoader& loader, std::string& bytes) {
  if (!IsOpen(loader.file)) return false;
  std::uint64_t size = 0;
  bool read = QueryFileSize(loader.file, size);
  if (read) {
    // The first read goes into the storage `bytes` already has, so a buffer that held this file
    // before takes it again without growing, and a directory, which may report any size, fails
    // its read before a buffer is sized from it.
    const auto first = static_cast<std::size_t>(std::min<std::uint64_t>(size, bytes.capacity()));
    bytes.resize(first);
    std::size_t got = 0;
    read = ReadFileAt(loader.file, 0, bytes.data(), first, got);
    if (read && got == first && size > first) {
      bytes.resize(static_cast<std::size_t>(size));
      std::size_t rest = 0;
      read = ReadFileAt(loader.file, first, bytes.data() + first, bytes.size() - first, rest);
      got += rest;
    }
    std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(got), bytes.end(), '\0');
  }
  CloseFile(loader.file);
  return read;
}

// Adds the sections and keys of `bytes` to `document`, line by line.
void ParseBytes(std::string_view bytes, IniDocument& document, IniReadBuffers& buffers) {
  ParseLines(bytes, document, buffers, [](const ClassifiedLine&, const std::string*, bool) {});
}

}  // namespace

IniFileLoader::IniFileLoader(const std::string& fileName)
    : file(OpenForReading(fileName.c_str())) {}

IniFileLoader::~IniFileLoader() { CloseFile(file); }

std::optional<std::vector<std::string>> ReadLines(IniFileLoader& loader) {
  IniReadBuffers buffers;
  if (!ReadWhole(loader, buffers.bytes)) {
    return std::nullopt;
  }
  std::vector<std::string> lines;
  ForEachLine(buffers.bytes, buffers.lineCopy, [&lines](std::string_view line) {
    lines.emplace_back(line);
    return true;
  });
  return lines;
}

bool ParseInto(IniFileLoader& loader, IniDocument& document) {
  IniReadBuffers buffers;
  if (!ReadWhole(loader, buffers.bytes)) {
    return false;
  }
  ParseBytes(buffers.bytes, document, buffers);
  return true;
}

ReadResult Reread(IniFileLoader& loader, IniDocument& document, IniReadBuffers& buffers) {
  if (!ReadWhole(loader, buffers.bytes)) {
    Clear(document);
    ForgetParsedBytes(buffers);
    return ReadResult::Unreadable;
  }
  if (buffers.parsedState == IniReadBuffers::Parsed::Kept && buffers.bytes == buffers.parsed) {
    return ReadResult::Unchanged;
  }
  // Forgotten before the parse: one that does not finish leaves no bytes said to be parsed.
  ForgetParsedBytes(buffers);
  ReparseText(buffers.bytes, document, buffers);
  HoldParsedBytes(buffers);
  return ReadResult::Rebuilt;
}

bool Reparse(IniFileLoader& loader, IniDocument& document, IniReadBuffers& buffers) {
  return Found(Reread(loader, document, buffers));
}

void ReparseText(std::string_view bytes, IniDocument& document, IniReadBuffers& buffers) {
  if (!AssignValuesInPlace(bytes, document, buffers)) {
    Clear(document);
    ParseBytes(bytes, document, buffers);
  }
}

}  // namespace scuffler
