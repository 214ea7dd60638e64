// The client's window events on the real API: a window created in the hooked
// process calls back, our own process is skipped, and the hook follows another
// process.
// (Wine 8 delivers only creation and focus events out of context.)
#include "check.h"
#include "win32/ports/window_events.h"

using brisolt::win32::ClientWindowEvents;

namespace {

// Creates a top-level window on a thread of its own, pumps a moment, and
// destroys it: the events come from another thread than the hook's.
DWORD WINAPI CreateWindowOnItsThread(void*) {
    HWND w = CreateWindowExA(0, "STATIC", "Table 18 Customer - Table Designer", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                             10, 10, 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!w) return 1;
    wintest::Pump(100);
    DestroyWindow(w);
    return 0;
}

void CreateWindowElsewhere() {
    brisolt::win32::UniqueHandle thread(CreateThread(nullptr, 0, &CreateWindowOnItsThread, nullptr, 0, nullptr));
    CHECK(thread.Valid());
    if (!thread) return;
    // Our thread pumps meanwhile: the events are delivered through its queue.
    wintest::Pump(5000, [&] { return WaitForSingleObject(thread.Get(), 0) == WAIT_OBJECT_0; });
    DWORD code = 99;
    CHECK(GetExitCodeThread(thread.Get(), &code) && code == 0);
}

}  // namespace

WIN_TEST(WindowEvents_OwnProcessIsSkippedUnlessIncluded) {
    int included = 0, skipped = 0;
    ClientWindowEvents include([&](auto) { ++included; }, ClientWindowEvents::OwnProcess::Include);
    ClientWindowEvents skip([&](auto) { ++skipped; });
    CHECK(include.Target(GetCurrentProcessId()));
    CHECK(skip.Target(GetCurrentProcessId()));
    CreateWindowElsewhere();
    wintest::Pump(2000, [&] { return included > 0; });
    wintest::Pump(200);  // room for late events
    CHECK(included > 0);
    CHECK_EQ(0, skipped);
}

WIN_TEST(WindowEvents_FollowTheClientsProcess) {
    int calls = 0;
    ClientWindowEvents events([&](auto) { ++calls; }, ClientWindowEvents::OwnProcess::Include);
    const auto createAndCount = [&] {
        calls = 0;
        CreateWindowElsewhere();
        wintest::Pump(1000, [&] { return calls > 0; });
        wintest::Pump(100);
        return calls;
    };

    // The client is not known: nothing is hooked.
    CHECK(events.Follow(nullptr));
    CHECK_EQ(0ul, static_cast<unsigned long>(events.Process()));
    CHECK_EQ(0, createAndCount());

    // Our own window stands in for the client's main window.
    HWND client = CreateWindowExA(0, "STATIC", "Muster GmbH - Navision Financials", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                  100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    CHECK(client != nullptr);
    CHECK(events.Follow(client));
    CHECK_EQ(static_cast<unsigned long>(GetCurrentProcessId()), static_cast<unsigned long>(events.Process()));
    CHECK(createAndCount() > 0);

    // The client closed: its process is no longer hooked.
    DestroyWindow(client);
    CHECK(events.Follow(client));
    CHECK_EQ(0ul, static_cast<unsigned long>(events.Process()));
    CHECK_EQ(0, createAndCount());

    // Another process (the desktop window's): none of ours reaches the
    // callback; ours again: they do.
    DWORD other = 0;
    GetWindowThreadProcessId(GetDesktopWindow(), &other);
    CHECK(other != 0 && other != GetCurrentProcessId());
    CHECK(events.Target(other));
    CHECK_EQ(0, createAndCount());
    CHECK(events.Target(GetCurrentProcessId()));
    CHECK(createAndCount() > 0);
}
