#pragma once

#include "bitmap.h"
#include "gdi/emulated_gdi.h"

#include <cstdint>
#include <mutex>
#include <variant>
#include <vector>

namespace gdi {

struct DeviceContext {
    HBITMAP bitmap = nullptr;
};

struct Brush {
    COLORREF colour = 0;
};

using GdiObject = std::variant<std::monostate, DeviceContext, Bitmap, Brush>;

// Every GDI object lives here. A handle encodes a slot index and that slot's generation, so a
// handle to a deleted object stops resolving as soon as the slot is freed, even once reused.
class ObjectTable {
public:
    static ObjectTable& instance();

    std::mutex& mutex() { return m_mutex; }

    // Returns the handle value of the stored object, or 0 when the table is full.
    std::uintptr_t add(GdiObject object);
    void remove(const void* handle);

    template <typename T>
    T* find(const void* handle) {
        GdiObject* object = findObject(handle);
        return object ? std::get_if<T>(object) : nullptr;
    }

    // The bitmap selected into a device context: the surface it draws on.
    Bitmap* surfaceOf(HDC hdc);
    HBITMAP stockBitmap() const { return m_stockBitmap; }
    // Frees a bitmap whose deletion waited for it to leave its device context.
    void releaseDeselected(HBITMAP bitmap);

private:
    struct Slot {
        std::uint32_t generation = 0;
        GdiObject object;
    };

    ObjectTable();
    GdiObject* findObject(const void* handle);

    std::mutex m_mutex;
    std::vector<Slot> m_slots;
    std::vector<std::uint32_t> m_freeSlots;
    HBITMAP m_stockBitmap = nullptr;
};

template <typename Handle>
Handle toHandle(std::uintptr_t value) {
    return reinterpret_cast<Handle>(value);
}

}  // namespace gdi
