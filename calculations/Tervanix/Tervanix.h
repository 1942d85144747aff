// The whole library: every class and the value types they share.
#pragma once

#include "Tervanix/Version.h"

#include "Tervanix/runtime/Array.h"
#include "Tervanix/runtime/Collection.h"
#include "Tervanix/runtime/FpEnvironment.h"
#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/MessageBox.h"
#include "Tervanix/runtime/Types.h"
#include "Tervanix/runtime/Strings.h"
#include "Tervanix/runtime/Variant.h"
#include "Tervanix/runtime/FalseReason.h"

#include "Tervanix/BoundaryCondition.h"
#include "Tervanix/CInterpolation.h"
#include "Tervanix/CSort.h"
#include "Tervanix/cGenUtil.h"
#include "Tervanix/cMatrix2.h"
#include "Tervanix/cMatrixOps.h"
#include "Tervanix/cInterp2.h"
#include "Tervanix/cGeom.h"
#include "Tervanix/cMatrix.h"
#include "Tervanix/Batch.h"
