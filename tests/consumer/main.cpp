// Links against the library as a host would and checks a result to the bit.
#include <cstdio>

#include <Tervanix/Tervanix.h>

static_assert(TERVANIX_VERSION_MAJOR >= 1, "the version header comes with the package");

int main() {
    tervanix::cGenUtil util;
    tervanix::String text;
    util.IntToBin(-2, text);
    const tervanix::DoubleArray values(1, {1.5, 2.5});
    const bool ok = util.Avg(values(1), values(2)) == 2.0 && text == u"1111111111111110";
    try {
        util.Log10(0.0);
        return 1;
    } catch (const tervanix::LibraryError& e) {
        if (e.kind() != tervanix::ErrorKind::InvalidArgument) return 1;
    }
    std::printf("consumer of Tervanix %s: %s\n", TERVANIX_VERSION_STRING, ok ? "works" : "wrong result");
    return ok ? 0 : 1;
}
