#pragma once

/// Serves every allocation of `largeBlockBytes` or more (1 MiB) from its own
/// mapping, returned to the system when freed. Call first thing in main.
/// By default the allocator raises that bound after the first such block is
/// freed, so the frame buffers and cube maps of a level full of balls stay in
/// the heap afterwards and the process never shrinks back after a busy level.
void UseReturnableLargeBlocks();

constexpr int largeBlockBytes = 1 << 20;
