// Which commands a rank is offered. Every command of the main window carries one gate.
#pragma once

#include "core/users_file.h"

namespace lirma::core {

enum class Gate {
    Everyone,    // every logged-in user
    NotCashier,  // hidden from CASIER
    AdminOnly,   // shown to, and run by, ADMIN only
    AdminAction, // hidden from CASIER; an OPERATOR DE ROL sees it but is refused when he uses it
};

// Whether a user of this rank sees the command. Nobody logged in (NECUNOSCUT) sees none.
bool GateShows(Gate gate, Rank rank);
// Whether a user of this rank may run it.
bool GateRuns(Gate gate, Rank rank);

} // namespace lirma::core
