// Fault injection for crash tests: with LIRMA_FAULT_KILL_AT=N in the environment the
// process kills itself at the N-th file write of a commit (a write is then left half done).
#pragma once

#include <cstddef>

namespace lirma::storage::fault {

// Counts one write step; kills the process when it is the chosen one.
// `halfWrite` is called first so that a torn write is left behind.
void step(void (*halfWrite)(void*) = nullptr, void* arg = nullptr);

// Overrides the environment (tests that fork a child); 0 switches injection off.
void setKillAt(long n);

} // namespace lirma::storage::fault
