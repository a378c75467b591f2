// Keeps the plugin library mapped for the whole fuzzing run.
#pragma once

namespace fuzzing {

// libFuzzer clears the coverage counters of every instrumented library
// before each input, so a library it has seen may never be unmapped: one
// extra, never-closed reference keeps the plugin mapped while the host still
// loads and unloads it for every input. Returns false when it cannot be
// opened.
bool pinPlugin(const char *path);

} // namespace fuzzing
