#include "object_table.h"

namespace gdi {

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

void ObjectTable::remove(const void* handle) {
    Slot* slot = findSlot(handle);
    if (!slot) {
        return;
    }
    *slot = Slot{slot->generation, std::monostate{}};
    m_freeSlots.push_back(
        std::uint32_t((reinterpret_cast<std::uintptr_t>(handle) & indexMask) - 1));
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
