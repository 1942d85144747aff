// Links against the installed package and checks a result to the bit.
#include <cstdio>

#include <Tervanix/Tervanix.h>

int main() {
    tervanix::cGenUtil util;
    tervanix::String text;
    util.IntToBin(-2, text);
    const bool ok = util.Avg(1.0, 2.0) == 1.5 && text == u"1111111111111110";
    try {
        util.Log10(0.0);
        return 1;
    } catch (const tervanix::LibraryError& e) {
        if (e.kind() != tervanix::ErrorKind::InvalidArgument) return 1;
    }
    std::puts(ok ? "consumer: the installed package works" : "consumer: wrong result");
    return ok ? 0 : 1;
}
