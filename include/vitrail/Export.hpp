#pragma once

// What libvitrail shows to its hosts: everything else in it is hidden.
#if defined(__GNUC__)
#define VITRAIL_EXPORT __attribute__((visibility("default")))
#else
#define VITRAIL_EXPORT
#endif
