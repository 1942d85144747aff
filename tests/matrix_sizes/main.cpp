// The large-matrix check: the normal and the reference library must write the same
// line for every seed (Side.cpp). The differential check's matrices are smaller than
// one tile; these cross the tiles' edges.
#include <cstdio>
#include <cstdlib>
#include <string>

std::string RunSideNormal(unsigned seed);
std::string RunSideReference(unsigned seed);

int main(int argc, char** argv) {
    const unsigned seeds = argc > 1 ? static_cast<unsigned>(std::atoi(argv[1])) : 4;
    std::size_t errors = 0, falses = 0;
    const auto count = [](const std::string& text, const char* word) {
        std::size_t n = 0;
        for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
        return n;
    };
    for (unsigned seed = 0; seed < seeds; ++seed) {
        const std::string normal = RunSideNormal(seed), reference = RunSideReference(seed);
        errors += count(normal, "error ");
        falses += count(normal, "False ");
        if (normal == reference) continue;
        std::size_t at = 0;
        while (at < normal.size() && at < reference.size() && normal[at] == reference[at]) ++at;
        const std::size_t from = normal.rfind('\n', at);
        std::printf("seed %u: the libraries differ after: %.200s\n  normal:    %.300s\n  reference: %.300s\n", seed,
                    normal.substr(from == std::string::npos ? 0 : from + 1, 40).c_str(), normal.substr(at).c_str(),
                    reference.substr(at).c_str());
        return 1;
    }
    std::printf("matrix sizes: %u seeds, normal and reference libraries agree (%zu errors, %zu False)\n", seeds,
                errors, falses);
    return 0;
}
