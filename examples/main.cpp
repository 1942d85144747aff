#include <iostream>

#include <Tervanix/Tervanix.h>

#include "Sections.h"

int main() {
    try {
        GeneralUtilitiesSection();
        TableLookupSection();
        MatricesSection();
        TableInterpolationSection();
        GeometrySection();
        SimultaneousEquationsSection();
    } catch (const tervanix::LibraryError& e) {
        std::cerr << "error: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
