#pragma once
// A node matrix taken apart into the host's transform attributes.

namespace interchange {

// The host composes a transform as scale * shear * rotate * translate on row vectors (p' = p * M), with
// rotate = Rx * Ry * Rz for the default rotate order xyz.
struct TransformParts {
    double translate[3] = {0, 0, 0};
    double rotateDegrees[3] = {0, 0, 0};
    double scale[3] = {1, 1, 1};
    double shear[3] = {0, 0, 0}; // xy, xz, yz
};

// Splits a matrix in the host's row-vector form (rows 0 to 2 the axes, row 3 the translation; column 3 is not
// read) into parts that compose back to it. A mirroring matrix gets a negative z scale. An axis scaled to
// nothing keeps a zero scale and an arbitrary direction. Returns false, parts at identity, when a value is not
// finite.
bool decomposeMatrix(const double matrix[4][4], TransformParts& parts);

// The matrix the parts stand for, in the same row-vector form (column 3 is 0, 0, 0, 1).
void composeMatrix(const TransformParts& parts, double matrix[4][4]);

} // namespace interchange
