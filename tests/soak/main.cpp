// team_soak --days D --people P --seed S: a simulated team of P people for D
// days; exits non-zero when an invariant failed.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "soak.h"

int main(int argc, char** argv) {
    long long days = 7, people = 8;
    unsigned long long seed = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--days")) days = std::atoll(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--people")) people = std::atoll(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--seed")) seed = std::strtoull(argv[i + 1], nullptr, 10);
        else return std::fprintf(stderr, "usage: team_soak --days D --people P --seed S\n"), 2;
    }
    const auto start = std::chrono::steady_clock::now();
    brisolt::soak::Sim sim(static_cast<int>(days), static_cast<int>(people), seed);
    const brisolt::soak::Figures figures = sim.Run();
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("the model made:");
    for (const auto& [what, count] : figures.happened) std::printf(" %lld %s,", static_cast<long long>(count), what.c_str());
    std::printf("\n");
    for (const auto& [invariant, count] : figures.byInvariant) std::printf("%s: %lld\n", invariant.c_str(), static_cast<long long>(count));
    std::printf("team-year: %lld days, %lld people, seed %llu, %lld violations, %zu most files, %.1f s\n", days, people,
                seed, static_cast<long long>(figures.violations), figures.mostFiles, wall);
    return figures.violations > 0 ? 1 : 0;
}
