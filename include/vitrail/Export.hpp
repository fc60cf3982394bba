#pragma once

// What libvitrail shows to its hosts: everything else in it is hidden.
#if defined(__GNUC__)
#define VITRAIL_EXPORT __attribute__((visibility("default")))
#else
#define VITRAIL_EXPORT
#endif

// A member of an exported class that stays inside the library.
#if defined(__GNUC__)
#define VITRAIL_INTERNE __attribute__((visibility("hidden")))
#else
#define VITRAIL_INTERNE
#endif
