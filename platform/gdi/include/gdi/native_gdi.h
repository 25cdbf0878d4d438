#pragma once

// The real gdi32 behind the bench's GDI names: structures, handles, constants and functions are
// Windows' own. The only additions are the span overloads that callers written for the bounded
// emulation use; they hand the span's address to gdi32 unchanged. Windows reads and writes as
// many rows as the header and the arguments say, whatever the span's size.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstddef>
#include <span>

inline int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD width, DWORD height, int xSrc,
                             int ySrc, UINT startScan, UINT cLines, std::span<const std::byte> bits,
                             const BITMAPINFO* bmi, UINT colorUse) {
    return ::SetDIBitsToDevice(hdc, xDest, yDest, width, height, xSrc, ySrc, startScan, cLines,
                               bits.data(), bmi, colorUse);
}

inline int GetDIBits(HDC hdc, HBITMAP hbm, UINT startScan, UINT cLines, std::span<std::byte> bits,
                     BITMAPINFO* bmi, UINT usage) {
    return ::GetDIBits(hdc, hbm, startScan, cLines, bits.data(), bmi, usage);
}
