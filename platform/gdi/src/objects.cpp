#include "colour_table.h"
#include "object_table.h"

#include <algorithm>
#include <cstring>

namespace {

using gdi::Bitmap;
using gdi::BitmapKind;
using gdi::DeviceContext;
using gdi::ObjectTable;
using gdi::RowOrder;

using Lock = std::scoped_lock<gdi::TableLock>;

HBITMAP addBitmap(ObjectTable& table, std::optional<Bitmap> bitmap) {
    return bitmap ? gdi::toHandle<HBITMAP>(table.add(std::move(*bitmap))) : nullptr;
}

HGDIOBJ selectBitmap(ObjectTable& table, HDC hdc, HBITMAP bitmap) {
    DeviceContext* dc = table.find<DeviceContext>(hdc);
    const HDC holder = table.selectedInto(bitmap);
    if (holder && holder != hdc) {
        return nullptr;
    }
    const HBITMAP previous = dc->bitmap;
    dc->bitmap = bitmap;
    if (previous != bitmap) {
        table.releaseDeselected(previous);
    }
    table.markSelected(bitmap, hdc);
    return previous;
}

// A section's colour table always has 2^bitCount entries; those the header does not give are
// black.
gdi::PixelFormat sectionFormat(const BITMAPINFO* bmi, const gdi::DibHeader& header, UINT usage,
                               gdi::ColourTable& table) {
    if (header.bitCount > 8) {
        return header.pixelFormat({});
    }
    gdi::readColourTable(bmi, header, usage, table);
    const std::size_t entries = std::size_t(1) << header.bitCount;
    std::fill(table.entries.begin() + std::ptrdiff_t(table.count),
              table.entries.begin() + std::ptrdiff_t(entries), 0);
    table.count = entries;
    return header.pixelFormat(table.colours());
}

BITMAP describe(const Bitmap& bitmap) {
    BITMAP record{};
    record.bmWidth = bitmap.width();
    record.bmHeight = bitmap.height();
    record.bmWidthBytes = bitmap.widthBytes();
    record.bmPlanes = 1;
    record.bmBitsPixel = bitmap.bitsPerPixel();
    if (bitmap.kind() == BitmapKind::DibSection) {
        record.bmBits = DWORD(reinterpret_cast<std::uintptr_t>(bitmap.memory()));
    }
    return record;
}

}  // namespace

HDC CreateCompatibleDC(HDC hdc) {
    ObjectTable& table = ObjectTable::instance();
    Lock lock(table.lock());
    if (hdc && !table.find<DeviceContext>(hdc)) {
        return nullptr;
    }
    return gdi::toHandle<HDC>(table.add(DeviceContext{table.stockBitmap()}));
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* bmi, UINT usage, void** ppvBits,
                         HANDLE hSection, DWORD) {
    if (ppvBits) {
        *ppvBits = nullptr;
    }
    if (usage > DIB_PAL_COLORS) {
        return nullptr;
    }
    const std::optional<gdi::DibHeader> header = gdi::readDibHeader(bmi);
    if (!header || !gdi::isSectionFormat(*header) || hSection ||
        (usage == DIB_PAL_COLORS && header->compression == BI_BITFIELDS)) {
        return nullptr;
    }
    ObjectTable& table = ObjectTable::instance();
    Lock lock(table.lock());
    // Palette indices need the DC whose palette they index.
    if (usage == DIB_PAL_COLORS && header->bitCount <= 8 && !table.find<DeviceContext>(hdc)) {
        return nullptr;
    }
    gdi::ColourTable colours;
    const HBITMAP handle = addBitmap(
        table, Bitmap::make(BitmapKind::DibSection, int(header->width), int(header->rows()),
                            header->order(), sectionFormat(bmi, *header, usage, colours)));
    if (handle && ppvBits) {
        *ppvBits = table.find<Bitmap>(handle)->memory();
    }
    return handle;
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (planes != 1 || bitsPerPixel != 32) {
        return nullptr;
    }
    ObjectTable& table = ObjectTable::instance();
    Lock lock(table.lock());
    if (width == 0 || height == 0) {
        return table.stockBitmap();
    }
    const HBITMAP handle = addBitmap(
        table, Bitmap::make(BitmapKind::DeviceCompatible, width, height, RowOrder::TopDown));
    if (handle && bits) {
        const Bitmap* bitmap = table.find<Bitmap>(handle);
        std::memcpy(bitmap->memory(), bits, bitmap->byteSize());
    }
    return handle;
}

HBRUSH CreateSolidBrush(COLORREF colour) {
    ObjectTable& table = ObjectTable::instance();
    Lock lock(table.lock());
    return gdi::toHandle<HBRUSH>(table.add(gdi::Brush{colour}));
}

BOOL DeleteDC(HDC hdc) {
    ObjectTable& table = ObjectTable::instance();
    Lock lock(table.lock());
    const DeviceContext* dc = table.find<DeviceContext>(hdc);
    if (!dc) {
        return FALSE;
    }
    table.releaseDeselected(dc->bitmap);
    table.remove(hdc);
    return TRUE;
}

BOOL DeleteObject(HGDIOBJ object) {
    ObjectTable& table = ObjectTable::instance();
    Lock lock(table.lock());
    if (table.find<gdi::Brush>(object)) {
        table.remove(object);
        return TRUE;
    }
    if (!table.find<Bitmap>(object)) {
        return FALSE;
    }
    table.deleteBitmap(static_cast<HBITMAP>(object));
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
    ObjectTable& table = ObjectTable::instance();
    Lock lock(table.lock());
    if (!table.find<DeviceContext>(hdc) || !table.find<Bitmap>(object)) {
        return nullptr;
    }
    return selectBitmap(table, hdc, static_cast<HBITMAP>(object));
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    ObjectTable& table = ObjectTable::instance();
    Lock lock(table.lock());
    const DeviceContext* dc = table.find<DeviceContext>(hdc);
    if (!dc || type != OBJ_BITMAP) {
        return nullptr;
    }
    return dc->bitmap;
}

int GetObjectA(HANDLE object, int size, void* buffer) {
    ObjectTable& table = ObjectTable::instance();
    Lock lock(table.lock());
    const Bitmap* bitmap = table.find<Bitmap>(object);
    if (!bitmap) {
        return 0;
    }
    if (!buffer) {
        return int(sizeof(BITMAP));
    }
    if (size < int(sizeof(BITMAP))) {
        return 0;
    }
    const BITMAP record = describe(*bitmap);
    std::memcpy(buffer, &record, sizeof record);
    return int(sizeof(BITMAP));
}
