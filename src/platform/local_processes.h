// The processes of this computer.
#pragma once
#include <cstdint>
#include <optional>

namespace brisolt {

class LocalProcesses {
public:
    virtual ~LocalProcesses() = default;
    // Whether the process with this id, started at this time (a FILETIME),
    // still runs. None when it cannot be told: a process of another user (on
    // a terminal server) refuses to be asked, and its id may be one that an
    // earlier, crashed program of ours had.
    virtual std::optional<bool> IsRunning(std::uint32_t id, std::uint64_t startTime) = 0;
};

}  // namespace brisolt
