// MinGW only: the C++ runtime's terminate handler, replaced by a plain abort.
//
// libstdc++'s default handler prints the type of an uncaught exception, demangled, to stderr,
// which a game has nowhere to show; its demangler and formatted printing were a third of the
// plug-in's size. The plug-in lets no exception escape, so this only ever runs on a bug, and
// then it ends the process exactly as the default handler does after printing.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
