#include "gdi/move_memory.h"

#include <cstring>

bool MoveMemoryBounded(std::span<std::byte> destination, std::span<const std::byte> source) {
    if (source.size() > destination.size()) {
        return false;
    }
    if (!source.empty()) {
        std::memmove(destination.data(), source.data(), source.size());
    }
    return true;
}
