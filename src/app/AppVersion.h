#pragma once

// The program's version is the project's (CMake's project(VERSION)): the build passes it as
// GCS_VERSION to the targets that show it. A compile outside the build (a syntax check)
// has none.
#ifndef GCS_VERSION
#define GCS_VERSION "unknown"
#endif
