#include "ini/IniSource.h"

#include "ini/IniFileLoader.h"

namespace scuffler {

bool Read(const IniSource& source, IniDocument& document) {
  if (source.fileName.empty()) {
    Clear(document);
    return false;
  }
  IniFileLoader loader(source.fileName);
  return Reparse(loader, document);
}

}  // namespace scuffler
