#include "settings/ConvertSetting.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace scuffler {

std::optional<std::int32_t> ConvertKeyCode(const std::string& text) {
  // strtoll rather than strtol: long is 32 bits on Windows and 64 on Linux, and both builds must
  // accept the same numbers.
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const long long number = std::strtoll(begin, &end, 10);
  if (end == begin || errno == ERANGE || number < std::numeric_limits<std::int32_t>::min() ||
      number > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(number);
}

std::optional<float> ConvertDistance(const std::string& text) {
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const float number = std::strtof(begin, &end);
  if (end == begin) {
    return std::nullopt;
  }
  // ERANGE also flags underflow, where C libraries may differ on denormals; only overflow (an
  // infinite result the text did not ask for) is out of range.
  if (errno == ERANGE && std::isinf(number)) {
    return std::nullopt;
  }
  return number;
}

}  // namespace scuffler
