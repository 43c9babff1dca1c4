#include "scene_readers/interchange/transform_decomposition.h"

#include <cmath>

namespace interchange {

namespace {

const double kPi = 3.14159265358979323846;
// Below this length an axis counts as scaled to nothing.
const double kTinyLength = 1e-12;

double dot(const double* a, const double* b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

void cross(const double* a, const double* b, double* out)
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

// Makes v a unit vector and returns its old length; a vector too short to have a direction becomes fallback.
double normalise(double* v, const double* fallback)
{
    const double length = std::sqrt(dot(v, v));
    if (length < kTinyLength) {
        for (int i = 0; i < 3; ++i)
            v[i] = fallback[i];
        return 0.0;
    }
    for (int i = 0; i < 3; ++i)
        v[i] /= length;
    return length;
}

// A unit vector perpendicular to the unit vector a (and to b when b is not parallel to a).
void perpendicular(const double* a, const double* b, double* out)
{
    cross(a, b, out);
    if (std::sqrt(dot(out, out)) >= kTinyLength) {
        normalise(out, b);
        return;
    }
    const double x[3] = {1, 0, 0}, y[3] = {0, 1, 0};
    cross(a, std::fabs(a[0]) < 0.9 ? x : y, out);
    normalise(out, x);
}

} // namespace

bool decomposeMatrix(const double matrix[4][4], TransformParts& parts)
{
    parts = TransformParts();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            if (!std::isfinite(matrix[r][c]))
                return false;

    // Gram-Schmidt over the rows: row0 = sx r0, row1 = sy (xy r0 + r1), row2 = sz (xz r0 + yz r1 + r2).
    double r0[3] = {matrix[0][0], matrix[0][1], matrix[0][2]};
    double r1[3] = {matrix[1][0], matrix[1][1], matrix[1][2]};
    double r2[3] = {matrix[2][0], matrix[2][1], matrix[2][2]};
    const double axisX[3] = {1, 0, 0}, axisY[3] = {0, 1, 0};

    const double sx = normalise(r0, axisX);
    const double along01 = dot(r1, r0);
    for (int i = 0; i < 3; ++i)
        r1[i] -= along01 * r0[i];
    double sy;
    if (std::sqrt(dot(r1, r1)) < kTinyLength) {
        perpendicular(r0, axisY, r1);
        sy = 0.0;
    } else {
        sy = normalise(r1, axisY);
    }
    const double along02 = dot(r2, r0), along12 = dot(r2, r1);
    for (int i = 0; i < 3; ++i)
        r2[i] -= along02 * r0[i] + along12 * r1[i];
    double expectedZ[3];
    cross(r0, r1, expectedZ);
    double sz = normalise(r2, expectedZ);
    // A rotation keeps handedness: a mirror goes into the sign of the last scale.
    if (dot(r2, expectedZ) < 0.0) {
        for (int i = 0; i < 3; ++i)
            r2[i] = -r2[i];
        sz = -sz;
    }

    parts.scale[0] = sx;
    parts.scale[1] = sy;
    parts.scale[2] = sz;
    parts.shear[0] = sy != 0.0 ? along01 / sy : 0.0;
    parts.shear[1] = sz != 0.0 ? along02 / sz : 0.0;
    parts.shear[2] = sz != 0.0 ? along12 / sz : 0.0;

    // Rx * Ry * Rz in row form: R[0][2] = -sin(y); R[1][2] = sin(x) cos(y), R[2][2] = cos(x) cos(y);
    // R[0][1] = cos(y) sin(z), R[0][0] = cos(y) cos(z).
    const double sinY = -r0[2] > 1.0 ? 1.0 : (-r0[2] < -1.0 ? -1.0 : -r0[2]);
    double x, y = std::asin(sinY), z;
    if (std::fabs(sinY) < 1.0 - 1e-9) {
        x = std::atan2(r1[2], r2[2]);
        z = std::atan2(r0[1], r0[0]);
    } else {
        // Gimbal lock: only x + z or x - z is defined; z = 0 takes it all into x.
        z = 0.0;
        x = std::atan2(-r2[1], r1[1]);
    }
    parts.rotateDegrees[0] = x * 180.0 / kPi;
    parts.rotateDegrees[1] = y * 180.0 / kPi;
    parts.rotateDegrees[2] = z * 180.0 / kPi;
    for (int i = 0; i < 3; ++i)
        parts.translate[i] = matrix[3][i];
    return true;
}

void composeMatrix(const TransformParts& parts, double matrix[4][4])
{
    const double x = parts.rotateDegrees[0] * kPi / 180.0, y = parts.rotateDegrees[1] * kPi / 180.0,
                 z = parts.rotateDegrees[2] * kPi / 180.0;
    const double cx = std::cos(x), sx = std::sin(x), cy = std::cos(y), sy = std::sin(y), cz = std::cos(z),
                 sz = std::sin(z);
    const double rotation[3][3] = {
        {cy * cz, cy * sz, -sy},
        {sx * sy * cz - cx * sz, sx * sy * sz + cx * cz, sx * cy},
        {cx * sy * cz + sx * sz, cx * sy * sz - sx * cz, cx * cy},
    };
    const double scaleShear[3][3] = {
        {parts.scale[0], 0, 0},
        {parts.scale[1] * parts.shear[0], parts.scale[1], 0},
        {parts.scale[2] * parts.shear[1], parts.scale[2] * parts.shear[2], parts.scale[2]},
    };
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            matrix[r][c] = scaleShear[r][0] * rotation[0][c] + scaleShear[r][1] * rotation[1][c] +
                           scaleShear[r][2] * rotation[2][c];
        matrix[r][3] = 0.0;
    }
    for (int c = 0; c < 3; ++c)
        matrix[3][c] = parts.translate[c];
    matrix[3][3] = 1.0;
}

} // namespace interchange
