#include "ini/IniSource.h"

#include "ini/IniFileLoader.h"

namespace scuffler {

bool Read(const IniSource& source, IniDocument& document, IniReadBuffers& buffers) {
  if (source.fileName.empty()) {
    return false;
  }
  IniFileLoader loader(source.fileName);
  if (!IsOpen(loader.file)) {
    return false;
  }
  const bool read = Reparse(loader, document, buffers);
  ReleaseLargeBuffers(buffers);
  return read;
}

bool Read(const IniSource& source, IniDocument& document) {
  IniReadBuffers buffers;
  return Read(source, document, buffers);
}

}  // namespace scuffler
