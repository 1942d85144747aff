// The large-matrix check: the normal and the reference library must write the same
// line for every seed (Side.cpp). The differential check's matrices are smaller than
// one tile; these cross the tiles' edges. The normal library runs each seed with the
// tiles' vectors of two Doubles and, where the processor has it, with AVX2.
#include <Tervanix/runtime/MatrixTiles.h>

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
    using tervanix::rt::TileVectors;
    unsigned widths = 0;
    for (const TileVectors vectors : {TileVectors::Pairs, TileVectors::Avx2}) {
        if (!tervanix::rt::UseTileVectors(vectors)) continue;  // no AVX2 here
        const char* const name = vectors == TileVectors::Pairs ? "pairs" : "AVX2";
        ++widths;
        for (unsigned seed = 0; seed < seeds; ++seed) {
            const std::string normal = RunSideNormal(seed), reference = RunSideReference(seed);
            // Seed 0 starts with the placed faults: each of the nine calls must fault.
            if (seed == 0 && count(normal.substr(0, normal.find("\nn 1 ")), "error ") != 9) {
                std::printf("%s: the placed faults do not all fault:%.2000s\n", name, normal.substr(0, 2000).c_str());
                return 1;
            }
            errors += count(normal, "error ");
            falses += count(normal, "False ");
            if (normal == reference) continue;
            std::size_t at = 0;
            while (at < normal.size() && at < reference.size() && normal[at] == reference[at]) ++at;
            const std::size_t from = normal.rfind('\n', at);
            std::printf("seed %u, %s: the libraries differ after: %.200s\n  normal:    %.300s\n  reference: %.300s\n",
                        seed, name, normal.substr(from == std::string::npos ? 0 : from + 1, 40).c_str(),
                        normal.substr(at).c_str(), reference.substr(at).c_str());
            return 1;
        }
    }
    std::printf("matrix sizes: %u seeds, %u widths of the tiles, normal and reference libraries agree (%zu errors, "
                "%zu False)\n",
                seeds, widths, errors, falses);
    return 0;
}
