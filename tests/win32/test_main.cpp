// Runs every registered test; prints one line per test and the failures.
#include <windows.h>

#include <cstdio>
#include <exception>

#include "check.h"

namespace wintest {

namespace {
int g_failures = 0;
}

std::vector<Test>& Registry() {
    static std::vector<Test> tests;
    return tests;
}

void Fail(const char* file, int line, const std::string& message) {
    ++g_failures;
    std::printf("    %s:%d: %s\n", file, line, message.c_str());
}

void Pump(int ms, const std::function<bool()>& done) {
    const DWORD end = GetTickCount() + ms;
    MSG msg;
    for (;;) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done && done()) return;
        const LONG left = static_cast<LONG>(end - GetTickCount());
        if (left <= 0) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
    }
}

}  // namespace wintest

int main(int argc, char** argv) {
    const char* only = argc > 1 ? argv[1] : nullptr;
    int failed = 0, run = 0;
    for (const wintest::Test& t : wintest::Registry()) {
        if (only && std::string(t.name).find(only) == std::string::npos) continue;
        using wintest::Fail;
        const int before = wintest::g_failures;
        try {
            t.run();
        } catch (const std::exception& e) {
            Fail(__FILE__, __LINE__, std::string("uncaught exception: ") + e.what());
        }
        ++run;
        const bool ok = wintest::g_failures == before;
        if (!ok) ++failed;
        std::printf("%s %s\n", ok ? "PASS" : "FAIL", t.name);
        std::fflush(stdout);
    }
    std::printf("%d tests, %d failed\n", run, failed);
    return failed == 0 && run > 0 ? 0 : 1;
}
