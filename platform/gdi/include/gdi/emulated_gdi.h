#pragma once

// The emulated GDI bitmap layer. Types, constants and functions carry the Windows names; handles
// are opaque values resolved through one object table, so an unknown, deleted or wrong-kind
// handle yields the function's failure result instead of touching memory.

#include <cstddef>
#include <cstdint>
#include <span>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = std::uint32_t;
using BOOL = int;
using COLORREF = DWORD;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

struct HDC__;
struct HBITMAP__;
struct HBRUSH__;
using HDC = HDC__*;
using HBITMAP = HBITMAP__*;
using HBRUSH = HBRUSH__*;
using HGDIOBJ = void*;
using HANDLE = void*;

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};

// Room for a full 256-entry colour table, as the bench's callers declare it.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[256];
};

// The 24-byte BITMAP record of 32-bit Windows, which is what the bench's callers pass. Its last
// field is a 32-bit pointer there; a 64-bit process cannot fit an address into it, so the
// emulation keeps the layout and stores the low 32 bits of a DIB section's pixel address (0 for
// other bitmaps). Callers only rely on bmWidth, bmHeight and bmBitsPixel.
struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    DWORD bmBits;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

static_assert(sizeof(RGBQUAD) == 4);
static_assert(sizeof(BITMAPINFOHEADER) == 40);
static_assert(sizeof(BITMAPINFO) == 40 + 256 * 4);
static_assert(sizeof(BITMAP) == 24);
static_assert(sizeof(RECT) == 16);

inline constexpr DWORD BI_RGB = 0;
inline constexpr DWORD BI_RLE8 = 1;
inline constexpr DWORD BI_RLE4 = 2;
inline constexpr DWORD BI_BITFIELDS = 3;
inline constexpr UINT DIB_RGB_COLORS = 0;
inline constexpr UINT DIB_PAL_COLORS = 1;
inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr UINT OBJ_BRUSH = 2;
inline constexpr UINT OBJ_DC = 3;
inline constexpr UINT OBJ_BITMAP = 7;
inline constexpr UINT OBJ_MEMDC = 10;

// The bits buffer travels as a span so that the emulation never reads past the caller's memory.
// An empty span with a null data pointer is Windows' NULL bits pointer.
int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc,
                      UINT startScan, UINT cLines, std::span<const std::byte> bits,
                      const BITMAPINFO* bmi, UINT colorUse);

// A null data pointer is Windows' NULL bits pointer (a header query); otherwise the span must hold
// every row the call covers, or the call fails with 0 and writes nothing.
int GetDIBits(HDC hdc, HBITMAP hbm, UINT startScan, UINT cLines, std::span<std::byte> bits,
              BITMAPINFO* bmi, UINT usage);

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* bmi, UINT usage, void** ppvBits,
                         HANDLE hSection, DWORD offset);
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBRUSH CreateSolidBrush(COLORREF color);
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
int GetObjectA(HANDLE object, int size, void* buffer);
BOOL BitBlt(HDC hdcDest, int xDest, int yDest, int width, int height, HDC hdcSrc, int xSrc,
            int ySrc, DWORD rop);
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
