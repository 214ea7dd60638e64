// The processes of this computer, as the team folder's records name them:
// an id and a start time, so that a reused id is not taken for the writer.
#pragma once
#include <cstdint>

#include "platform/local_processes.h"

namespace brisolt::win32 {

struct ProcessStamp {
    std::uint32_t id = 0;
    std::uint64_t startTime = 0;  // a FILETIME
};
ProcessStamp ThisProcess();

class Win32LocalProcesses : public LocalProcesses {
public:
    std::optional<bool> IsRunning(std::uint32_t id, std::uint64_t startTime) override;
};

}  // namespace brisolt::win32
