// The differential check as a program: inputs of random bytes from a fixed seed, each
// run through the normal and the reference library (Differential.h), for a number of
// inputs or of seconds, after a sweep of every hard case of the correctly rounded
// functions (HardCases.h). The first difference ends the run with the input's number,
// the call and its arguments, and both sides' lines.
//
// Usage: tervanix_differential [--seconds S] [--count N] [--seed K]
//   (default: 20 seconds, seed 1; with --count alone, exactly N inputs)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "Differential.h"
#include "HardCases.h"

int main(int argc, char** argv) {
    double seconds = -1;
    long long count = -1;
    unsigned long long seed = 1;
    for (int k = 1; k + 1 < argc; k += 2) {
        if (std::strcmp(argv[k], "--seconds") == 0) seconds = std::atof(argv[k + 1]);
        else if (std::strcmp(argv[k], "--count") == 0) count = std::atoll(argv[k + 1]);
        else if (std::strcmp(argv[k], "--seed") == 0) seed = std::strtoull(argv[k + 1], nullptr, 10);
        else {
            std::fprintf(stderr, "usage: %s [--seconds S] [--count N] [--seed K]\n", argv[0]);
            return 2;
        }
    }
    if (seconds < 0 && count < 0) seconds = 20;
    std::size_t hardCalls = 0;
    const std::string hard = differential::CompareHardCases(hardCalls);
    if (!hard.empty()) {
        std::printf("DIFFERENCE at %s\n", hard.c_str());
        return 1;
    }
    std::printf("differential: %zu calls on the hard cases of the correctly rounded functions agree\n", hardCalls);
    std::mt19937_64 random(seed);
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::uint8_t> input;
    long long done = 0;
    for (; count < 0 || done < count; ++done) {
        if (seconds >= 0 && done % 64 == 0 &&
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() >= seconds) {
            break;
        }
        input.resize(16 + random() % 2048);
        for (std::uint8_t& byte : input) byte = static_cast<std::uint8_t>(random());
        const std::string difference = differential::Compare(input.data(), input.size());
        if (!difference.empty()) {
            std::printf("DIFFERENCE at input %lld (seed %llu)\n%s\n", done + 1, seed, difference.c_str());
            return 1;
        }
    }
    std::printf("differential: %lld inputs (seed %llu), normal and reference libraries agree\n", done, seed);
    return 0;
}
