#pragma once

/// Serves every allocation of `largeBlockBytes` or more (1 MiB) from its own
/// mapping, returned to the system when freed. Call first thing in main.
/// By default the allocator raises that bound after the first such block is
/// freed, so the frame buffers and cube maps of a level full of balls stay in
/// the heap afterwards and the process never shrinks back after a busy level.
/// Fixing that bound also stops the allocator raising its trim bound, so this
/// sets that too (`keptFreeBytes`): at the default 128 KiB the heap's top was
/// handed back and taken again about ten times a frame, and the page faults
/// that followed cost the renderer's thread a fifth of its time.
void UseReturnableLargeBlocks();

constexpr int largeBlockBytes = 1 << 20;
constexpr int keptFreeBytes = 16 << 20; // free space at the heap's top kept for the next frame
