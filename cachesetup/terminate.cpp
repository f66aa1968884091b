// What ends the process when an exception finds no handler (none should:
// the three entry points catch every exception of the class library). The
// runtime's default handler prints the exception's type name on the
// standard error stream, which a setup program does not have, and brings in
// the name demangler and a formatted-output library, more than twice the
// size of all our own code. Defined here under the runtime's name, it
// replaces that handler wherever the runtime refers to it; it only ends
// the process.
#include <cstdlib>

namespace __gnu_cxx {
[[noreturn]] void __verbose_terminate_handler()
{
    std::abort();
}
} // namespace __gnu_cxx
