#pragma once

/// @file
/// The export mark of the public interface.

/// Marks a public class or function: the library is built with hidden visibility, so only the names
/// marked with it are exported from the shared library.
#define PAGINOR_API __attribute__((visibility("default")))
