// Solids of the 3D chart canvas: each face is projected through Calc3DPos and
// drawn as one polygon when it faces the viewer.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "chart/canvas/CanvasUtils.h"
#include "chart/canvas/ChartCanvas3D.h"

namespace chart {

namespace {

using Face3D = std::vector<TPoint3D>;

struct Vec {
    double x, y, z;
};

Vec Sub(const TPoint3D& a, const Vec& b) { return {a.X - b.x, a.Y - b.y, a.Z - b.z}; }
Vec Sub(const TPoint3D& a, const TPoint3D& b) {
    return {static_cast<double>(a.X) - b.X, static_cast<double>(a.Y) - b.Y, static_cast<double>(a.Z) - b.Z};
}
Vec Cross(const Vec& a, const Vec& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Dot(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Orders a face's corners so that, seen from outside (away from inside, a
// point within the solid), they run clockwise on screen. With x right,
// y down and z away from the viewer, that makes the cross product of the
// first two edges point into the solid.
Face3D Outward(Face3D face, const Vec& inside) {
    if (face.size() < 3) return face;
    const Vec n = Cross(Sub(face[1], face[0]), Sub(face[2], face[1]));
    if (Dot(n, Sub(face[0], inside)) > 0) std::reverse(face.begin(), face.end());
    return face;
}

constexpr int kRoundSteps = 32;

}  // namespace

bool TChartCanvas3D::Face(std::span<const TPoint3D> corners, bool mustDraw) {
    std::vector<fw::TPoint> projected;
    projected.reserve(corners.size());
    for (const TPoint3D& p : corners) projected.push_back(Project(p.X, p.Y, p.Z));
    int64_t twiceArea = 0;
    for (size_t i = 0; i < projected.size(); ++i) {
        const fw::TPoint& a = projected[i];
        const fw::TPoint& b = projected[(i + 1) % projected.size()];
        twiceArea += int64_t{a.X} * b.Y - int64_t{b.X} * a.Y;
    }
    if (!mustDraw && twiceArea <= 0) return false;
    Polygon(projected);
    return true;
}

void TChartCanvas3D::WithDarkerFill(bool shade, int32_t quantity, fw::TColor base, const std::function<void()>& draw) {
    if (!shade) {
        draw();
        return;
    }
    if (Brush().Style() == fw::bsSolid) {
        const fw::TColor saved = Brush().Color();
        Brush().SetColor(ApplyDark(base, quantity));
        draw();
        Brush().SetColor(saved);
    } else {
        const fw::TColor saved = GetBackColor();
        SetBackColor(ApplyDark(base, quantity));
        draw();
        SetBackColor(saved);
    }
}

void TChartCanvas3D::Cube(int32_t left, int32_t right, int32_t top, int32_t bottom, int32_t z0, int32_t z1,
                          bool shade) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    if (z0 > z1) std::swap(z0, z1);
    const Vec inside{(left + right) / 2.0, (top + bottom) / 2.0, (z0 + z1) / 2.0};
    const fw::TColor base = Brush().Style() == fw::bsSolid ? Brush().Color() : GetBackColor();
    Face(Outward({{left, top, z0}, {right, top, z0}, {right, bottom, z0}, {left, bottom, z0}}, inside), true);
    WithDarkerFill(shade, DarkerColorQuantity, base, [&] {
        if (!Face(Outward({{right, top, z0}, {right, top, z1}, {right, bottom, z1}, {right, bottom, z0}}, inside),
                  false))
            Face(Outward({{left, top, z1}, {left, top, z0}, {left, bottom, z0}, {left, bottom, z1}}, inside), false);
    });
    WithDarkerFill(shade, DarkColorQuantity, base, [&] {
        if (!Face(Outward({{left, top, z1}, {right, top, z1}, {right, top, z0}, {left, top, z0}}, inside), false))
            Face(Outward({{left, bottom, z0}, {right, bottom, z0}, {right, bottom, z1}, {left, bottom, z1}}, inside),
                 false);
    });
}

void TChartCanvas3D::Pyramid(bool vertical, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t z0,
                             int32_t z1, bool shade) {
    // Vertical: the base lies at bottom and the apex at top; otherwise the
    // base lies at left and the apex at right.
    const int32_t zm = static_cast<int32_t>((int64_t{z0} + z1) / 2);
    std::vector<TPoint3D> base;
    TPoint3D apex;
    if (vertical) {
        base = {{left, bottom, z0}, {right, bottom, z0}, {right, bottom, z1}, {left, bottom, z1}};
        apex = {static_cast<int32_t>((int64_t{left} + right) / 2), top, zm};
    } else {
        base = {{left, top, z0}, {left, bottom, z0}, {left, bottom, z1}, {left, top, z1}};
        apex = {right, static_cast<int32_t>((int64_t{top} + bottom) / 2), zm};
    }
    Vec inside{static_cast<double>(apex.X), static_cast<double>(apex.Y), static_cast<double>(apex.Z)};
    for (const TPoint3D& p : base) {
        inside.x += p.X;
        inside.y += p.Y;
        inside.z += p.Z;
    }
    inside = {inside.x / 5, inside.y / 5, inside.z / 5};
    const fw::TColor color = Brush().Style() == fw::bsSolid ? Brush().Color() : GetBackColor();
    Face(Outward(base, inside), false);
    for (size_t i = 0; i < base.size(); ++i) {
        const bool side = i % 2 == 1;  // the faces over the second and fourth base edges
        WithDarkerFill(shade && side, DarkColorQuantity, color, [&] {
            Face(Outward({base[i], base[(i + 1) % base.size()], apex}, inside), false);
        });
    }
}

void TChartCanvas3D::Cylinder(bool vertical, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t z0,
                              int32_t z1, bool dark3D) {
    // A prism of kRoundSteps sides around the axis (vertical: along y).
    const double cz = (z0 + z1) / 2.0, rz = std::abs(z1 - z0) / 2.0;
    const double ca = vertical ? (left + right) / 2.0 : (top + bottom) / 2.0;
    const double ra = vertical ? std::abs(right - left) / 2.0 : std::abs(bottom - top) / 2.0;
    const int32_t end0 = vertical ? top : left, end1 = vertical ? bottom : right;
    auto point = [&](int step, int32_t along) {
        const double a = 2 * std::numbers::pi * step / kRoundSteps;
        const int32_t across = static_cast<int32_t>(std::lround(ca + ra * std::cos(a)));
        const int32_t depth = static_cast<int32_t>(std::lround(cz + rz * std::sin(a)));
        return vertical ? TPoint3D{across, along, depth} : TPoint3D{along, across, depth};
    };
    const Vec inside = vertical ? Vec{ca, (top + bottom) / 2.0, cz} : Vec{(left + right) / 2.0, ca, cz};
    const fw::TColor color = Brush().Style() == fw::bsSolid ? Brush().Color() : GetBackColor();
    WithDarkerFill(dark3D, DarkColorQuantity, color, [&] {
        for (int i = 0; i < kRoundSteps; ++i)
            Face(Outward({point(i, end0), point(i + 1, end0), point(i + 1, end1), point(i, end1)}, inside), false);
    });
    for (int32_t end : {end0, end1}) {
        Face3D cap;
        for (int i = 0; i < kRoundSteps; ++i) cap.push_back(point(i, end));
        Face(Outward(cap, inside), false);
    }
}

void TChartCanvas3D::Pie3D(int32_t xCenter, int32_t yCenter, int32_t xRadius, int32_t yRadius, int32_t z0, int32_t z1,
                           double startAngle, double endAngle, bool darkSides, bool drawSides) {
    if (z0 > z1) std::swap(z0, z1);
    if (endAngle < startAngle) std::swap(startAngle, endAngle);
    const double toRad = std::numbers::pi / 180;
    const int steps = std::max(2, static_cast<int>(std::ceil((endAngle - startAngle) / 360 * kRoundSteps * 2)));
    auto rim = [&](double degrees, int32_t z) {
        return TPoint3D{static_cast<int32_t>(std::lround(xCenter + xRadius * std::cos(degrees * toRad))),
                        static_cast<int32_t>(std::lround(yCenter - yRadius * std::sin(degrees * toRad))), z};
    };
    auto angleAt = [&](int i) { return startAngle + (endAngle - startAngle) * i / steps; };
    // A point inside the slice next to the given angle.
    auto insideNear = [&](double degrees) {
        return Vec{xCenter + xRadius * 0.5 * std::cos(degrees * toRad),
                   yCenter - yRadius * 0.5 * std::sin(degrees * toRad), (z0 + z1) / 2.0};
    };
    if (drawSides) {
        const fw::TColor color = Brush().Style() == fw::bsSolid ? Brush().Color() : GetBackColor();
        WithDarkerFill(darkSides, DarkColorQuantity, color, [&] {
            const TPoint3D c0{xCenter, yCenter, z0}, c1{xCenter, yCenter, z1};
            const double eps = std::min(1.0, (endAngle - startAngle) / 4);
            Face(Outward({c0, rim(startAngle, z0), rim(startAngle, z1), c1}, insideNear(startAngle + eps)), false);
            Face(Outward({c0, rim(endAngle, z0), rim(endAngle, z1), c1}, insideNear(endAngle - eps)), false);
            const Vec axis{static_cast<double>(xCenter), static_cast<double>(yCenter), (z0 + z1) / 2.0};
            for (int i = 0; i < steps; ++i)
                Face(Outward(
                         {rim(angleAt(i), z0), rim(angleAt(i + 1), z0), rim(angleAt(i + 1), z1), rim(angleAt(i), z1)},
                         axis),
                     false);
        });
    }
    Face3D front{{xCenter, yCenter, z0}};
    for (int i = 0; i <= steps; ++i) front.push_back(rim(angleAt(i), z0));
    Face(front, true);
}

void TChartCanvas3D::EllipseWithZ(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t z) {
    if (!is3DActive_ || orthogonalActive_) {
        // The plain and the orthogonal projection keep an ellipse an ellipse.
        const fw::TPoint a = Project(x1, y1, z), b = Project(x2, y2, z);
        Ellipse(a.X, a.Y, b.X, b.Y);
        return;
    }
    std::vector<fw::TPoint> outline;
    const double cx = (x1 + x2) / 2.0, cy = (y1 + y2) / 2.0, rx = (x2 - x1) / 2.0, ry = (y2 - y1) / 2.0;
    for (int i = 0; i < 2 * kRoundSteps; ++i) {
        const double a = std::numbers::pi * i / kRoundSteps;
        outline.push_back(Project(static_cast<int32_t>(std::lround(cx + rx * std::cos(a))),
                                  static_cast<int32_t>(std::lround(cy + ry * std::sin(a))), z));
    }
    Polygon(outline);
}

void TChartCanvas3D::Arrow(bool filled, const fw::TPoint& from, const fw::TPoint& to, int32_t headWidth,
                           int32_t headLength, int32_t z) {
    const double dx = static_cast<double>(to.X) - from.X, dy = static_cast<double>(to.Y) - from.Y;
    const double length = std::hypot(dx, dy);
    if (length == 0) return;
    const double ux = dx / length, uy = dy / length;  // along the arrow
    const double nx = -uy, ny = ux;                   // across it
    const double bx = to.X - ux * headLength, by = to.Y - uy * headLength;
    auto pt = [](double x, double y) {
        return fw::TPoint{static_cast<int32_t>(std::lround(x)), static_cast<int32_t>(std::lround(y))};
    };
    const fw::TPoint base = pt(bx, by);
    LineWithZ(from.X, from.Y, base.X, base.Y, z);
    const fw::TPoint left = pt(bx + nx * headWidth / 2.0, by + ny * headWidth / 2.0);
    const fw::TPoint right = pt(bx - nx * headWidth / 2.0, by - ny * headWidth / 2.0);
    const fw::TBrushStyle savedStyle = Brush().Style();
    if (!filled) Brush().SetStyle(fw::bsClear);
    TriangleWithZ(to, left, right, z);
    Brush().SetStyle(savedStyle);
}

}  // namespace chart
