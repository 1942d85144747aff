// Stand-in for <Tervanix/cMatrix.h>: calls Tervanix.cMatrix; Calc's Solution comes back
// from the component's collection object (read through Count and Item).
#pragma once
#include "Proxy.h"

namespace tervanix {

class cMatrix {
public:
    cMatrix();
    void MatrixSize(const Long& X);
    void AddToMatrix(Long row, Long col, Double value);
    void AddToVector(Long row, Double value);
    Boolean Calc(std::shared_ptr<Collection>& Solution) const;
    void HelpForProgrammer() const;

private:
    comclient::Ref object_;
};

}  // namespace tervanix
