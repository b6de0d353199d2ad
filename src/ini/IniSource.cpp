#include "ini/IniSource.h"

#include "ini/IniFileLoader.h"

namespace scuffler {

bool Read(const IniSource& source, IniDocument& document) {
  if (EntryCount(document) != 0) {
    Clear(document);
  }
  if (source.fileName.empty()) {
    return false;
  }
  IniFileLoader loader(source.fileName);
  return ParseInto(loader, document);
}

}  // namespace scuffler
