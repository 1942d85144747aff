// The compiler and platform macros, where programs written against earlier versions
// included them; they now stand below every layer, in platform/Config.h.
#pragma once

#include "Tervanix/platform/Config.h"
