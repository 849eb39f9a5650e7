#pragma once

// Marks the public API: the library is built with hidden visibility, so only these names are exported.
#define PAGINOR_API __attribute__((visibility("default")))
