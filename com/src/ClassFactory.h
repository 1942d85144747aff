// The class factory of each creatable class.
#pragma once

#include "Module.h"

namespace tvcom {

HRESULT GetFactory(ClassId id, REFIID iid, void** out);

}  // namespace tvcom
