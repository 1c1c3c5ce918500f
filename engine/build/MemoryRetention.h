#pragma once

namespace vl {

// Lets the C library's allocator keep the memory that builds free instead of
// handing it back to the system after each build. Prepared pages are large
// buffers that grow and go with every build; given back at once, each build
// faults them in anew, and builds on several threads of one process then
// spend much of their time in the system's memory management, which they
// share. A program that builds many reports, or builds on several threads,
// calls this once at start-up. It changes the allocator of the whole process
// (the freed memory stays with it, up to a few hundred megabytes), so the
// engine never calls it on its own. Does nothing where the C library has no
// such settings.
void KeepMemoryBetweenBuilds();

} // namespace vl
