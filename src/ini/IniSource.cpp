#include "ini/IniSource.h"

#include "ini/IniFileLoader.h"

namespace scuffler {

bool Read(const IniSource& source, IniDocument& document, IniReadBuffers& buffers) {
  return Read(source, document, buffers, nullptr);
}

bool Read(const IniSource& source, IniDocument& document, IniReadBuffers& buffers,
          ReadObserver observe) {
  bool opened = false;
  bool read = false;
  if (!source.fileName.empty()) {
    IniFileLoader loader(source.fileName);
    opened = IsOpen(loader.file);
    read = opened && Reparse(loader, document, buffers);
  }
  if (!opened) {
    if (observe != nullptr) observe(false, nullptr, 0);
    return false;
  }
  if (observe != nullptr)
    observe(true, read ? buffers.bytes.data() : nullptr, buffers.bytes.size());
  ReleaseLargeBuffers(buffers);
  return read;
}

bool Read(const IniSource& source, IniDocument& document) {
  IniReadBuffers buffers;
  return Read(source, document, buffers);
}

}  // namespace scuffler
