#pragma once
// How the C library's allocator serves and hands back large blocks.

namespace lumetra {

// Fixes glibc's threshold above which a block gets a mapping of its own (returned to the
// system when freed) at its start value, 128 KiB. Left to itself glibc raises the threshold
// to the largest such block freed, up to 32 MiB: after one oversized stream part or one
// huge picture, frames and encoder buffers come from the threads' heap arenas, where freed
// blocks stay resident and fragment, and resident memory keeps growing under a camera with
// faults while the live heap stays flat. False when the allocator refuses the setting.
[[nodiscard]] bool keepLargeBlocksMapped();

}  // namespace lumetra
