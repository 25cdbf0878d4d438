#pragma once

#include <cstddef>
#include <span>

// The bench's stand-in for kernel32's RtlMoveMemory: a plain copy that refuses to run past either
// buffer. Returns false, copying nothing, when the source does not fit into the destination.
bool MoveMemoryBounded(std::span<std::byte> destination, std::span<const std::byte> source);
