// Everything the library's classes share: value types, errors, the arithmetic rules
// and the runtime facilities.
#pragma once

#include "Tervanix/runtime/Array.h"
#include "Tervanix/runtime/Checked.h"
#include "Tervanix/runtime/Collection.h"
#include "Tervanix/runtime/ElementComparison.h"
#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/MathFunctions.h"
#include "Tervanix/runtime/MessageBox.h"
#include "Tervanix/runtime/MsgBox.h"
#include "Tervanix/runtime/Objects.h"
#include "Tervanix/runtime/StringFunctions.h"
#include "Tervanix/runtime/Strings.h"
#include "Tervanix/runtime/Types.h"
#include "Tervanix/runtime/Variant.h"
#include "Tervanix/runtime/WholeNumbers.h"
