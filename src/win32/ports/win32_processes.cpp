#include "win32/ports/win32_processes.h"

#include "win32/base/win.h"

#include "win32/base/handles.h"

namespace brisolt::win32 {
namespace {

bool StartTime(HANDLE process, std::uint64_t& start) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return false;
    start = (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    return true;
}

}  // namespace

ProcessStamp ThisProcess() {
    ProcessStamp stamp;
    stamp.id = GetCurrentProcessId();
    StartTime(GetCurrentProcess(), stamp.startTime);
    return stamp;
}

std::optional<bool> Win32LocalProcesses::IsRunning(std::uint32_t id, std::uint64_t startTime) {
    UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    if (!process) {
        // Another user's process refuses us (a terminal server): it may be a
        // stranger's that took the id of a crashed copy of ours. No answer.
        if (GetLastError() == ERROR_ACCESS_DENIED) return std::nullopt;
        return false;  // no such process
    }
    std::uint64_t start = 0;
    DWORD code = 0;
    if (!StartTime(process.Get(), start) || !GetExitCodeProcess(process.Get(), &code)) return std::nullopt;
    return start == startTime && code == STILL_ACTIVE;
}

}  // namespace brisolt::win32
