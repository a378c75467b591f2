// CORVANE_HOST_API: the export marker for the engine parts of `pluginsdk` that
// the rest of the stand-in host (loader, console, simulator, tests) uses.
#pragma once

// The engine lives in the same shared library as the SDK wrappers, so it is
// exported exactly when they are: `pluginsdk` builds with CORVANE_BUILDING_SDK,
// everyone else imports.
#if defined(_WIN32)
#if defined(CORVANE_BUILDING_SDK)
#define CORVANE_HOST_API __declspec(dllexport)
#else
#define CORVANE_HOST_API __declspec(dllimport)
#endif
#else
#define CORVANE_HOST_API __attribute__((visibility("default")))
#endif
