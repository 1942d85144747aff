// The differential check as a program: first every input of a saved corpus, if one is
// given (the same on every run: fuzz/corpus/Differential reaches every fast path and
// its twin, which scripts/ci/differential-coverage.sh proves), then a sweep of every
// hard case of the correctly rounded functions (HardCases.h), then inputs of random
// bytes from a fixed seed, each run through the normal and the reference library
// (Differential.h), for a number of inputs or of seconds. The first difference ends
// the run with the input's file or number, the call and its arguments, and both
// sides' lines.
//
// Usage: tervanix_differential [--corpus DIR] [--seconds S] [--count N] [--seed K]
//   (default: 20 seconds, seed 1; with --count alone, exactly N inputs)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "Differential.h"
#include "HardCases.h"

int main(int argc, char** argv) {
    double seconds = -1;
    long long count = -1;
    unsigned long long seed = 1;
    const char* corpus = nullptr;
    for (int k = 1; k + 1 < argc; k += 2) {
        if (std::strcmp(argv[k], "--seconds") == 0) seconds = std::atof(argv[k + 1]);
        else if (std::strcmp(argv[k], "--count") == 0) count = std::atoll(argv[k + 1]);
        else if (std::strcmp(argv[k], "--seed") == 0) seed = std::strtoull(argv[k + 1], nullptr, 10);
        else if (std::strcmp(argv[k], "--corpus") == 0) corpus = argv[k + 1];
        else {
            std::fprintf(stderr, "usage: %s [--corpus DIR] [--seconds S] [--count N] [--seed K]\n", argv[0]);
            return 2;
        }
    }
    long long saved = 0;
    if (corpus != nullptr) {
        std::vector<std::filesystem::path> files;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(corpus, error)) {
            if (entry.is_regular_file()) files.push_back(entry.path());
        }
        if (error || files.empty()) {
            std::fprintf(stderr, "differential: no corpus in %s\n", corpus);
            return 2;
        }
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            std::ifstream stream(file, std::ios::binary);
            const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(stream)),
                                                  std::istreambuf_iterator<char>());
            const std::string difference = differential::Compare(bytes.data(), bytes.size());
            if (!difference.empty()) {
                std::printf("DIFFERENCE at corpus input %s\n%s\n", file.string().c_str(), difference.c_str());
                return 1;
            }
            ++saved;
        }
        std::printf("differential: %lld corpus inputs agree\n", saved);
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
