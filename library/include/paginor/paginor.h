#pragma once

/// @file
/// Everything a host program needs: the enumerations, the platform hooks, the version and the writers.

#include "paginor/document.h"
#include "paginor/enumerations.h"
#include "paginor/pdf.h"
#include "paginor/platform.h"
#include "paginor/ps.h"
#include "paginor/version.h"
