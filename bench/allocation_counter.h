// The allocation counter: how often anything in the benchmark program, the
// SDK library or the loaded plugin has called a global allocation function.
#pragma once

#include <cstdint>

namespace vexlo::bench {

// Allocations so far in this process. The program replaces the global
// allocation functions, and on Linux a loaded library's calls bind to them
// too, so a copy made inside the plugin or the host counts here. On Windows
// each DLL keeps its own allocation functions (see allocation_counter.cpp).
std::uint64_t allocationCount();

// Counts the allocations made from its construction on.
class AllocationScope {
public:
  AllocationScope() : start_(allocationCount()) {}
  std::uint64_t allocations() const { return allocationCount() - start_; }

private:
  std::uint64_t start_;
};

} // namespace vexlo::bench
