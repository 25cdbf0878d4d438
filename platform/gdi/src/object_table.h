#pragma once

#include "bitmap.h"
#include "gdi/emulated_gdi.h"
#include "table_lock.h"

#include <cstdint>
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
    static ObjectTable& instance() {
        static ObjectTable table;
        return table;
    }

    TableLock& lock() { return m_lock; }

    // Returns the handle value of the stored object, or 0 when the table is full.
    std::uintptr_t add(GdiObject object);
    void remove(const void* handle);

    template <typename T>
    T* find(const void* handle) {
        GdiObject* object = findObject(handle);
        return object ? std::get_if<T>(object) : nullptr;
    }

    // The bitmap selected into a device context: the surface it draws on. The lookups are
    // defined here, so that a small call inlines them.
    Bitmap* surfaceOf(HDC hdc) {
        const DeviceContext* dc = find<DeviceContext>(hdc);
        return dc ? find<Bitmap>(dc->bitmap) : nullptr;
    }
    HBITMAP stockBitmap() const { return m_stockBitmap; }

    // The device context a bitmap is selected into, if any (never kept for the stock bitmap,
    // which any number of DCs share).
    HDC selectedInto(HBITMAP bitmap);
    void markSelected(HBITMAP bitmap, HDC hdc);
    // Deletes the bitmap now, or once it leaves its device context, so that no DC ever draws
    // on freed pixels.
    void deleteBitmap(HBITMAP bitmap);
    // A bitmap leaves its device context; one whose deletion waited for that is freed.
    void releaseDeselected(HBITMAP bitmap);

private:
    struct Slot {
        std::uint32_t generation = 0;
        GdiObject object;
        // A bitmap's selection: where it is selected and whether its deletion waits for that.
        HDC selectedInto = nullptr;
        bool deletionPending = false;
    };

    static constexpr unsigned indexBits = 24;
    static constexpr std::uintptr_t indexMask = (std::uintptr_t(1) << indexBits) - 1;
    static constexpr std::uint32_t generationMask = 0x7FFFFF;

    ObjectTable();

    Slot* findSlot(const void* handle) {
        const auto value = reinterpret_cast<std::uintptr_t>(handle);
        const std::uintptr_t index = (value & indexMask) - 1;
        if ((value & indexMask) == 0 || index >= m_slots.size()) {
            return nullptr;
        }
        Slot& slot = m_slots[index];
        if ((value >> indexBits) != slot.generation ||
            std::holds_alternative<std::monostate>(slot.object)) {
            return nullptr;
        }
        return &slot;
    }
    GdiObject* findObject(const void* handle) {
        Slot* slot = findSlot(handle);
        return slot ? &slot->object : nullptr;
    }

    TableLock m_lock;
    std::vector<Slot> m_slots;
    std::vector<std::uint32_t> m_freeSlots;
    HBITMAP m_stockBitmap = nullptr;
};

template <typename Handle>
Handle toHandle(std::uintptr_t value) {
    return reinterpret_cast<Handle>(value);
}

}  // namespace gdi
