// The axis a generator is built along: the host builds each primitive about its own axis and turns it onto the
// node's ".ax" by the shortest arc, through a quaternion. The planes of the local corpus fix that turn (their
// points carry y = -z * 2.2e-16, the quaternion's rounding: SimpleDisplacement.ma); the other primitives are
// taken to turn the same way from +Y.
#include "generators.h"

#include <algorithm>
#include <cmath>

namespace headless {

bool axisTurn(const HistoryNode& node, const HistoryContext& context, const double (&from)[3], double (&m)[3][3]) {
  const std::vector<double> axis = historyNumbers(node, "ax", {0, 1, 0});
  double bx = axis[0], by = axis[1], bz = axis[2];
  const double length = std::sqrt(bx * bx + by * by + bz * bz);
  if (!std::isfinite(length) || length == 0) {
    const HistoryAttribute* attribute = findHistoryAttribute(node, "ax");
    return context.fail(node, "its axis (.ax) must be a finite vector that is not zero", attribute ? attribute->line : 0);
  }
  bx /= length, by /= length, bz /= length;
  const double ax = from[0], ay = from[1], az = from[2];
  // Axis of the turn: from x axis; angle: acos(from . axis).
  const double kx = ay * bz - az * by, ky = az * bx - ax * bz, kz = ax * by - ay * bx;
  const double k = std::sqrt(kx * kx + ky * ky + kz * kz);
  const double dot = ax * bx + ay * by + az * bz;
  double qw = 1, qx = 0, qy = 0, qz = 0;
  if (k > 0) {
    const double half = std::acos(std::max(-1.0, std::min(1.0, dot))) / 2;
    qw = std::cos(half);
    const double s = std::sin(half) / k;
    qx = kx * s, qy = ky * s, qz = kz * s;
  } else if (dot < 0) {
    qw = 0, qx = 1;  // half a turn about X
  }
  m[0][0] = 1 - 2 * (qy * qy + qz * qz), m[0][1] = 2 * (qx * qy - qw * qz), m[0][2] = 2 * (qx * qz + qw * qy);
  m[1][0] = 2 * (qx * qy + qw * qz), m[1][1] = 1 - 2 * (qx * qx + qz * qz), m[1][2] = 2 * (qy * qz - qw * qx);
  m[2][0] = 2 * (qx * qz - qw * qy), m[2][1] = 2 * (qy * qz + qw * qx), m[2][2] = 1 - 2 * (qx * qx + qy * qy);
  return true;
}

bool orientToAxis(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh) {
  static const double up[3] = {0, 1, 0};
  double m[3][3];
  if (!axisTurn(node, context, up, m)) return false;
  if (m[0][0] == 1 && m[1][1] == 1 && m[2][2] == 1) return true;  // the default axis: no turn
  for (Vec3& p : mesh.points) {
    const double x = p.x, y = p.y, z = p.z;
    p.x = double(float(m[0][0] * x + m[0][1] * y + m[0][2] * z));
    p.y = double(float(m[1][0] * x + m[1][1] * y + m[1][2] * z));
    p.z = double(float(m[2][0] * x + m[2][1] * y + m[2][2] * z));
  }
  return true;
}

}  // namespace headless
