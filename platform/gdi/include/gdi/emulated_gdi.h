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

struct RGBTRIPLE {
    BYTE rgbtBlue;
    BYTE rgbtGreen;
    BYTE rgbtRed;
};

// The OS/2-era header: 16-bit sizes, always bottom-up, BI_RGB, followed by RGBTRIPLE entries.
struct BITMAPCOREHEADER {
    DWORD bcSize;
    WORD bcWidth;
    WORD bcHeight;
    WORD bcPlanes;
    WORD bcBitCount;
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

using FXPT2DOT30 = LONG;

struct CIEXYZ {
    FXPT2DOT30 ciexyzX;
    FXPT2DOT30 ciexyzY;
    FXPT2DOT30 ciexyzZ;
};

struct CIEXYZTRIPLE {
    CIEXYZ ciexyzRed;
    CIEXYZ ciexyzGreen;
    CIEXYZ ciexyzBlue;
};

// The V4 and V5 headers extend BITMAPINFOHEADER; their masks sit where a 40-byte header's
// BI_BITFIELDS masks follow it, and the colour table starts after the whole header.
struct BITMAPV4HEADER {
    DWORD bV4Size;
    LONG bV4Width;
    LONG bV4Height;
    WORD bV4Planes;
    WORD bV4BitCount;
    DWORD bV4V4Compression;
    DWORD bV4SizeImage;
    LONG bV4XPelsPerMeter;
    LONG bV4YPelsPerMeter;
    DWORD bV4ClrUsed;
    DWORD bV4ClrImportant;
    DWORD bV4RedMask;
    DWORD bV4GreenMask;
    DWORD bV4BlueMask;
    DWORD bV4AlphaMask;
    DWORD bV4CSType;
    CIEXYZTRIPLE bV4Endpoints;
    DWORD bV4GammaRed;
    DWORD bV4GammaGreen;
    DWORD bV4GammaBlue;
};

struct BITMAPV5HEADER {
    DWORD bV5Size;
    LONG bV5Width;
    LONG bV5Height;
    WORD bV5Planes;
    WORD bV5BitCount;
    DWORD bV5Compression;
    DWORD bV5SizeImage;
    LONG bV5XPelsPerMeter;
    LONG bV5YPelsPerMeter;
    DWORD bV5ClrUsed;
    DWORD bV5ClrImportant;
    DWORD bV5RedMask;
    DWORD bV5GreenMask;
    DWORD bV5BlueMask;
    DWORD bV5AlphaMask;
    DWORD bV5CSType;
    CIEXYZTRIPLE bV5Endpoints;
    DWORD bV5GammaRed;
    DWORD bV5GammaGreen;
    DWORD bV5GammaBlue;
    DWORD bV5Intent;
    DWORD bV5ProfileData;
    DWORD bV5ProfileSize;
    DWORD bV5Reserved;
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
static_assert(sizeof(RGBTRIPLE) == 3);
static_assert(sizeof(BITMAPCOREHEADER) == 12);
static_assert(sizeof(BITMAPINFOHEADER) == 40);
static_assert(sizeof(BITMAPV4HEADER) == 108);
static_assert(sizeof(BITMAPV5HEADER) == 124);
static_assert(sizeof(BITMAPINFO) == 40 + 256 * 4);
static_assert(sizeof(BITMAP) == 24);
static_assert(sizeof(RECT) == 16);

inline constexpr DWORD BI_RGB = 0;
inline constexpr DWORD BI_RLE8 = 1;
inline constexpr DWORD BI_RLE4 = 2;
inline constexpr DWORD BI_BITFIELDS = 3;
inline constexpr DWORD BI_JPEG = 4;
inline constexpr DWORD BI_PNG = 5;
inline constexpr UINT DIB_RGB_COLORS = 0;
inline constexpr UINT DIB_PAL_COLORS = 1;
inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr UINT OBJ_BRUSH = 2;
inline constexpr UINT OBJ_DC = 3;
inline constexpr UINT OBJ_BITMAP = 7;
inline constexpr UINT OBJ_MEMDC = 10;

// The bits buffer travels as a span so that the emulation never reads past the caller's memory.
// An empty span with a null data pointer is Windows' NULL bits pointer. As on Windows, `bmi` must
// hold everything its header describes: the header's biSize bytes, the masks of a 40-byte
// BI_BITFIELDS header, and the colour table (gdi::DibInfo always allocates that much).
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
HBRUSH CreateSolidBrush(COLORREF colour);
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
int GetObjectA(HANDLE object, int size, void* buffer);
BOOL BitBlt(HDC hdcDest, int xDest, int yDest, int width, int height, HDC hdcSrc, int xSrc,
            int ySrc, DWORD rop);
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
