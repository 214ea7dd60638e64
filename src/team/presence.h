// The designers open on this computer, each with the moment it was first seen.
#pragma once
#include <cstdint>
#include <vector>

#include "team/record.h"

namespace brisolt::team {

class Presence {
public:
    // This tick's open designers (invalid identities are left out, an object
    // open twice counts once). An object still open keeps its time; one that
    // was closed and is open again gets `nowUtc`. True when the set changed.
    bool Update(std::vector<ObjectId> open, std::int64_t nowUtc);
    // Sorted by identity.
    const std::vector<OpenObject>& Objects() const { return objects_; }

private:
    std::vector<OpenObject> objects_;
};

}  // namespace brisolt::team
