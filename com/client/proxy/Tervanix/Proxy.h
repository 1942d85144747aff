// The client's stand-ins for the library's classes: the same names and signatures as
// the public headers, each method a call through IDispatch to tervanix_com.dll. The
// fingerprint's sections compile against these headers unchanged, so the client
// computes the fingerprint through the component.
#pragma once

#include <memory>

#include <Tervanix/BoundaryCondition.h>
#include <Tervanix/runtime/Array.h>
#include <Tervanix/runtime/Collection.h>
#include <Tervanix/runtime/LibraryError.h>
#include <Tervanix/runtime/Types.h>
#include <Tervanix/runtime/Variant.h>

#include "../../Com.h"
