#include "ini/IniReadBuffers.h"

namespace scuffler {
namespace {

void ReleaseIfLarge(std::string& buffer) {
  if (buffer.capacity() > kLargestKeptBuffer) std::string().swap(buffer);
}

}  // namespace

void ReleaseLargeBuffers(IniReadBuffers& buffers) {
  ReleaseIfLarge(buffers.bytes);
  ReleaseIfLarge(buffers.lineCopy);
  ReleaseIfLarge(buffers.nameCopy);
  if (buffers.parsed.capacity() > kLargestKeptBuffer) ForgetParsedBytes(buffers);
}

void HoldParsedBytes(IniReadBuffers& buffers) {
  ForgetParsedBytes(buffers);
  if (buffers.bytes.size() > kLargestKeptBuffer) return;
  if (buffers.bytes.size() > buffers.parsed.capacity()) {
    // A copy of its exact size: growing by doubling could pass the limit, and a copy given back
    // after every read would be made again at every read.
    std::string(buffers.bytes).swap(buffers.parsed);
  } else {
    buffers.parsed.assign(buffers.bytes);
  }
  buffers.parsedState = IniReadBuffers::Parsed::Held;
}

void KeepParsedBytes(IniReadBuffers& buffers) {
  if (buffers.parsedState == IniReadBuffers::Parsed::Held) {
    buffers.parsedState = IniReadBuffers::Parsed::Kept;
  }
}

void ForgetParsedBytes(IniReadBuffers& buffers) {
  buffers.parsedState = IniReadBuffers::Parsed::None;
  if (buffers.parsed.capacity() > kLargestKeptBuffer) std::string().swap(buffers.parsed);
}

}  // namespace scuffler
