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
}

}  // namespace scuffler
