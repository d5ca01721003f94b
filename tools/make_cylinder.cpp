// Writes the game's model, a closed cylinder, as a vertex file on stdout.
//
// The cylinder lies along the Y axis, so the model's spin about X tumbles it end
// over end, which is easy to see from where the player starts. Two lines per
// triangle: the three corners, then the unit normal at each corner. The sides
// carry smooth normals pointing away from the axis; each cap has one flat normal.
//
//   make_cylinder > data/cylinder.vtx

#include <cmath>
#include <cstdio>
#include <numbers>

#include "BinaryStdout.h"

namespace {

constexpr int kSides = 24;
constexpr double kRadius = 0.5;
constexpr double kHalfLength = 1.0;

struct Vec3 {
    double x, y, z;
};

// Tiny magnitudes print as 0 rather than as -0 or 1e-17 noise.
double Clean(double value) {
    return std::fabs(value) < 1e-12 ? 0.0 : value;
}

void PrintLine(const Vec3 (&v)[3]) {
    for (int i = 0; i < 3; ++i)
        std::printf("%s%.6f %.6f %.6f", i ? " " : "", Clean(v[i].x), Clean(v[i].y), Clean(v[i].z));
    std::printf("\n");
}

void Triangle(const Vec3 (&corners)[3], const Vec3 (&normals)[3]) {
    PrintLine(corners);
    PrintLine(normals);
}

}  // namespace

int main() {
    SetBinaryStdout();
    for (int i = 0; i < kSides; ++i) {
        const double a0 = 2.0 * std::numbers::pi * i / kSides;
        const double a1 = 2.0 * std::numbers::pi * (i + 1) / kSides;
        const Vec3 n0{std::cos(a0), 0.0, std::sin(a0)};
        const Vec3 n1{std::cos(a1), 0.0, std::sin(a1)};
        const Vec3 bottom0{kRadius * n0.x, -kHalfLength, kRadius * n0.z};
        const Vec3 bottom1{kRadius * n1.x, -kHalfLength, kRadius * n1.z};
        const Vec3 top0{kRadius * n0.x, kHalfLength, kRadius * n0.z};
        const Vec3 top1{kRadius * n1.x, kHalfLength, kRadius * n1.z};

        // The side quad between the two angles, as two triangles.
        Triangle({bottom0, top0, top1}, {n0, n0, n1});
        Triangle({bottom0, top1, bottom1}, {n0, n1, n1});

        // A fan slice of each cap.
        const Vec3 up{0.0, 1.0, 0.0};
        const Vec3 down{0.0, -1.0, 0.0};
        Triangle({{0.0, kHalfLength, 0.0}, top1, top0}, {up, up, up});
        Triangle({{0.0, -kHalfLength, 0.0}, bottom0, bottom1}, {down, down, down});
    }
    return 0;
}
