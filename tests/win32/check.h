// A small test registry and checks for the Windows-side tests (GoogleTest is
// not available for the MinGW build).
#pragma once
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace wintest {

struct Test {
    const char* name;
    void (*run)();
};

std::vector<Test>& Registry();
// Records a failed check of the running test.
void Fail(const char* file, int line, const std::string& message);

struct Registrar {
    Registrar(const char* name, void (*run)()) { Registry().push_back({name, run}); }
};

template <typename A, typename B>
void CheckEq(const A& expected, const B& actual, const char* expr, const char* file, int line) {
    if (expected == actual) return;
    std::ostringstream out;
    out << expr << ": expected [" << expected << "], got [" << actual << "]";
    Fail(file, line, out.str());
}

// Pumps this thread's messages for `ms` milliseconds, or until `done` holds.
void Pump(int ms, const std::function<bool()>& done = nullptr);

}  // namespace wintest

#define WIN_TEST(name)                                                 \
    static void name();                                                \
    static ::wintest::Registrar name##_registrar(#name, &name);        \
    static void name()

#define CHECK(cond) \
    ((cond) ? (void)0 : ::wintest::Fail(__FILE__, __LINE__, "CHECK(" #cond ") failed"))
#define CHECK_EQ(expected, actual) \
    ::wintest::CheckEq((expected), (actual), #actual, __FILE__, __LINE__)
