#include "fault.h"

#include <csignal>
#include <cstdlib>
#include <unistd.h>

namespace lirma::storage::fault {
namespace {
long& target() {
    static long value = [] {
        const char* s = std::getenv("LIRMA_FAULT_KILL_AT");
        return s ? std::atol(s) : 0L;
    }();
    return value;
}
long counter = 0;
} // namespace

void setKillAt(long n) {
    target() = n;
    counter = 0;
}

void step(void (*halfWrite)(void*), void* arg) {
    if (target() <= 0) return;
    if (++counter != target()) return;
    if (halfWrite) halfWrite(arg);
    ::kill(::getpid(), SIGKILL);
    ::_exit(137);
}

} // namespace lirma::storage::fault
