#pragma once
// Integer pixel points and rectangles. A rectangle's Right and Bottom lie one
// past its last pixel column and row, so Width() is Right - Left.

#include <cstdint>

namespace fw {

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;

    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    constexpr int32_t Width() const { return Right - Left; }
    constexpr int32_t Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }

    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(int32_t x, int32_t y) { return {x, y}; }
constexpr TRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) { return {left, top, right, bottom}; }

// The overlap of a and b; false (and r unchanged) when they do not overlap.
constexpr bool IntersectRect(TRect& r, const TRect& a, const TRect& b) {
    TRect i{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top, a.Right < b.Right ? a.Right : b.Right,
            a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
    if (i.IsEmpty()) return false;
    r = i;
    return true;
}

}  // namespace fw
