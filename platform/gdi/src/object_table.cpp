#include "object_table.h"

namespace gdi {

namespace {

constexpr unsigned indexBits = 24;
constexpr std::uintptr_t indexMask = (std::uintptr_t(1) << indexBits) - 1;
constexpr std::uint32_t generationMask = 0x7FFFFF;

}  // namespace

ObjectTable& ObjectTable::instance() {
    static ObjectTable table;
    return table;
}

ObjectTable::ObjectTable() {
    m_stockBitmap = toHandle<HBITMAP>(add(Bitmap::makeStock()));
}

std::uintptr_t ObjectTable::add(GdiObject object) {
    std::uint32_t index = 0;
    if (!m_freeSlots.empty()) {
        index = m_freeSlots.back();
        m_freeSlots.pop_back();
    } else if (m_slots.size() < indexMask) {
        index = std::uint32_t(m_slots.size());
        m_slots.emplace_back();
    } else {
        return 0;
    }
    Slot& slot = m_slots[index];
    slot.generation = (slot.generation + 1) & generationMask;
    if (slot.generation == 0) {
        slot.generation = 1;
    }
    slot.object = std::move(object);
    return (std::uintptr_t(slot.generation) << indexBits) | (index + 1);
}

ObjectTable::Slot* ObjectTable::findSlot(const void* handle) {
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

GdiObject* ObjectTable::findObject(const void* handle) {
    Slot* slot = findSlot(handle);
    return slot ? &slot->object : nullptr;
}

void ObjectTable::remove(const void* handle) {
    Slot* slot = findSlot(handle);
    if (!slot) {
        return;
    }
    *slot = Slot{slot->generation, std::monostate{}};
    m_freeSlots.push_back(
        std::uint32_t((reinterpret_cast<std::uintptr_t>(handle) & indexMask) - 1));
}

Bitmap* ObjectTable::surfaceOf(HDC hdc) {
    const DeviceContext* dc = find<DeviceContext>(hdc);
    return dc ? find<Bitmap>(dc->bitmap) : nullptr;
}

HDC ObjectTable::selectedInto(HBITMAP bitmap) {
    Slot* slot = findSlot(bitmap);
    return slot ? slot->selectedInto : nullptr;
}

void ObjectTable::markSelected(HBITMAP bitmap, HDC hdc) {
    if (Slot* slot = findSlot(bitmap); slot && bitmap != m_stockBitmap) {
        slot->selectedInto = hdc;
    }
}

void ObjectTable::deleteBitmap(HBITMAP bitmap) {
    Slot* slot = findSlot(bitmap);
    if (!slot || bitmap == m_stockBitmap) {
        return;
    }
    if (slot->selectedInto) {
        slot->deletionPending = true;
    } else {
        remove(bitmap);
    }
}

void ObjectTable::releaseDeselected(HBITMAP bitmap) {
    Slot* slot = findSlot(bitmap);
    if (!slot || !std::holds_alternative<Bitmap>(slot->object)) {
        return;
    }
    slot->selectedInto = nullptr;
    if (slot->deletionPending) {
        remove(bitmap);
    }
}

}  // namespace gdi
