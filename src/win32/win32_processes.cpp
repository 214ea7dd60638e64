#include "win32/win32_processes.h"

#include "win32/win.h"

#include "win32/handles.h"

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

bool Win32LocalProcesses::IsRunning(std::uint32_t id, std::uint64_t startTime) {
    UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    // Another user's process may refuse us: it exists, so it counts.
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
    std::uint64_t start = 0;
    DWORD code = 0;
    if (!StartTime(process.Get(), start) || !GetExitCodeProcess(process.Get(), &code)) return true;
    return start == startTime && code == STILL_ACTIVE;
}

}  // namespace brisolt::win32
