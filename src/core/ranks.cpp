#include "core/ranks.h"

namespace lirma::core {

bool GateShows(Gate gate, Rank rank)
{
    switch (rank) {
    case Rank::Admin:
        return true;
    case Rank::Operator:
        return gate != Gate::AdminOnly;
    case Rank::Cashier:
        return gate == Gate::Everyone;
    case Rank::Unknown:
        return false;
    }
    return false;
}

bool GateRuns(Gate gate, Rank rank)
{
    if (gate == Gate::AdminAction)
        return rank == Rank::Admin;
    return GateShows(gate, rank);
}

} // namespace lirma::core
