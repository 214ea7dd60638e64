#include "win32/ports/window_events.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace brisolt::win32 {

namespace {

struct EventRange {
    DWORD first, last;
};
static_assert(EVENT_SYSTEM_MINIMIZEEND == EVENT_SYSTEM_MINIMIZESTART + 1);
static_assert(EVENT_OBJECT_DESTROY == EVENT_OBJECT_CREATE + 1 && EVENT_OBJECT_SHOW == EVENT_OBJECT_CREATE + 2 &&
              EVENT_OBJECT_HIDE == EVENT_OBJECT_CREATE + 3 && EVENT_OBJECT_REORDER == EVENT_OBJECT_CREATE + 4 &&
              EVENT_OBJECT_FOCUS == EVENT_OBJECT_CREATE + 5);
static_assert(EVENT_OBJECT_NAMECHANGE == EVENT_OBJECT_LOCATIONCHANGE + 1);
constexpr EventRange kRanges[] = {
    {EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND},
    {EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND},
    {EVENT_OBJECT_CREATE, EVENT_OBJECT_FOCUS},  // create, destroy, show, hide, reorder, focus
    {EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_NAMECHANGE},
};

// The hooks of every live ClientWindowEvents (all on this one thread): an
// event the system had queued before its hook went is dropped.
std::vector<std::pair<HWINEVENTHOOK, ClientWindowEvents*>>& Owners() {
    static std::vector<std::pair<HWINEVENTHOOK, ClientWindowEvents*>> owners;
    return owners;
}

void Forget(ClientWindowEvents* owner) {
    auto& owners = Owners();
    owners.erase(std::remove_if(owners.begin(), owners.end(), [&](const auto& o) { return o.second == owner; }),
                 owners.end());
}

// Wine marks its ntdll with an export of its own.
bool RunsUnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::optional<HookedEvent> HookedEventOf(DWORD event) {
    switch (event) {
        case EVENT_OBJECT_CREATE: return HookedEvent::Created;
        case EVENT_OBJECT_DESTROY: return HookedEvent::Destroyed;
        case EVENT_OBJECT_SHOW: return HookedEvent::Shown;
        case EVENT_OBJECT_HIDE: return HookedEvent::Hidden;
        case EVENT_OBJECT_REORDER: return HookedEvent::Reordered;
        case EVENT_OBJECT_FOCUS: return HookedEvent::Focused;
        case EVENT_OBJECT_LOCATIONCHANGE: return HookedEvent::Moved;
        case EVENT_OBJECT_NAMECHANGE: return HookedEvent::Renamed;
        case EVENT_SYSTEM_FOREGROUND: return HookedEvent::Foreground;
        case EVENT_SYSTEM_MINIMIZESTART: return HookedEvent::MinimiseStarted;
        case EVENT_SYSTEM_MINIMIZEEND: return HookedEvent::MinimiseEnded;
        default: return std::nullopt;
    }
}

EventObject EventObjectOf(LONG object) {
    if (object == OBJID_WINDOW) return EventObject::Window;
    if (object == OBJID_CLIENT) return EventObject::ClientArea;
    return EventObject::Other;
}

EventWindow EventWindowOf(HWND window) {
    if (!IsWindow(window)) return {FromHwnd(window), 0, true};
    const HWND parent = GetAncestor(window, GA_PARENT);
    return {FromHwnd(window), parent == GetDesktopWindow() ? 0 : FromHwnd(parent), false};
}

// The process of a thread (0: gone or unknown). Storms come from one thread,
// so the last answer is kept.
DWORD ProcessOfThread(DWORD thread) {
    static DWORD lastThread = 0, lastProcess = 0;
    if (thread != lastThread || lastProcess == 0) {
        UniqueHandle handle(OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, thread));
        lastThread = thread;
        lastProcess = handle ? GetProcessIdOfThread(handle.Get()) : 0;
    }
    return lastProcess;
}

}  // namespace

ClientWindowEvents::ClientWindowEvents(std::function<void(WindowEvent)> changed, OwnProcess own)
    : changed_(std::move(changed)),
      flags_(WINEVENT_OUTOFCONTEXT | (own == OwnProcess::Skip ? WINEVENT_SKIPOWNPROCESS : 0)),
      allProcesses_(RunsUnderWine()) {}

ClientWindowEvents::~ClientWindowEvents() { Forget(this); }

bool ClientWindowEvents::Hooked() const {
    return !hooks_.empty() && std::all_of(hooks_.begin(), hooks_.end(), [](const auto& h) { return h.Valid(); });
}

bool ClientWindowEvents::Follow(HWND clientMain) {
    DWORD process = 0;
    if (clientMain && GetWindowThreadProcessId(clientMain, &process) == 0) process = 0;  // gone meanwhile
    const bool hooked = Target(process);
    clientMain_ = process ? clientMain : nullptr;
    return hooked;
}

bool ClientWindowEvents::Target(DWORD processId) {
    clientMain_ = nullptr;
    if (processId == process_ && (processId == 0 || Hooked())) return true;
    Forget(this);
    hooks_.clear();  // unhooks
    process_ = processId;
    if (processId == 0) return true;  // never process 0: that would be every process
    bool all = true;
    for (const EventRange& range : kRanges) {
        UniqueWinEventHook hook(
            SetWinEventHook(range.first, range.last, nullptr, &OnEvent, allProcesses_ ? 0 : processId, 0, flags_));
        if (hook) {
            Owners().emplace_back(hook.Get(), this);
        } else {
            all = false;
        }
        hooks_.push_back(std::move(hook));
    }
    return all;
}

void CALLBACK ClientWindowEvents::OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                                          DWORD thread, DWORD) {
    if (child != CHILDID_SELF || !window) return;
    const auto& owners = Owners();
    const auto owner = std::find_if(owners.begin(), owners.end(), [&](const auto& o) { return o.first == hook; });
    const std::optional<HookedEvent> kind = HookedEventOf(event);
    if (owner == owners.end() || !kind) return;
    ClientWindowEvents* self = owner->second;
    const HWND mdiArea = self->clientMain_ ? GetWindow(self->clientMain_, GW_CHILD) : nullptr;
    const ClientFrame frame{FromHwnd(self->clientMain_), FromHwnd(mdiArea)};
    if (!WakesScan(*kind, EventObjectOf(object), EventWindowOf(window), frame)) return;
    if (self->allProcesses_) {
        // Only the client's windows, never ours (such hooks get our own
        // events too). A window that is gone already is known by the thread
        // that reported it.
        DWORD process = 0;
        if (GetWindowThreadProcessId(window, &process) == 0) process = ProcessOfThread(thread);
        if (process != self->process_ ||
            ((self->flags_ & WINEVENT_SKIPOWNPROCESS) && process == GetCurrentProcessId()))
            return;
    }
    if (self->changed_) self->changed_(*kind == HookedEvent::Created ? WindowEvent::Created : WindowEvent::Changed);
}

bool Win32OneShotTimer::Start(std::int64_t delayMs) {
    const std::int64_t delay = std::clamp<std::int64_t>(delayMs, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    return timers_.Start(id_, static_cast<UINT>(delay));
}

}  // namespace brisolt::win32
