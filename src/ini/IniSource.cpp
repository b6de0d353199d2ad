#include "ini/IniSource.h"

#include "ini/IniFileLoader.h"

namespace scuffler {

ReadResult Read(const IniSource& source, IniDocument& document, IniReadBuffers& buffers,
                ReadObserver observe) {
  ReadResult result = ReadResult::NotOpened;
  if (!source.fileName.empty()) {
    IniFileLoader loader(source.fileName);
    if (IsOpen(loader.file)) result = Reread(loader, document, buffers);
  }
  if (result == ReadResult::NotOpened) {
    if (observe != nullptr) observe(false, nullptr, 0);
    return result;
  }
  if (observe != nullptr) {
    observe(true, Found(result) ? buffers.bytes.data() : nullptr, buffers.bytes.size());
  }
  ReleaseLargeBuffers(buffers);
  return result;
}

ReadResult Read(const IniSource& source, IniDocument& document) {
  IniReadBuffers buffers;
  return Read(source, document, buffers);
}

}  // namespace scuffler
