// Animation curves read where their value needs no tangents: on a key, or held constant beyond the keys.
#include "history_values.h"

namespace headless {

bool animCurveValue(const HistoryNode& curve, double time, double& value) {
  const auto keys = historyElements(curve, "ktv", 2);
  if (keys.empty() || curve.type.compare(0, 9, "animCurve") != 0 || curve.type.size() != 11 || curve.type[9] != 'T')
    return false;
  // ".pre" / ".pst": infinity before the first and after the last key, 0 = constant.
  if (time <= keys.begin()->second[0] && (historyNumber(curve, "pre", 0) == 0 || time == keys.begin()->second[0])) {
    value = keys.begin()->second[1];
    return true;
  }
  if (time >= keys.rbegin()->second[0] && (historyNumber(curve, "pst", 0) == 0 || time == keys.rbegin()->second[0])) {
    value = keys.rbegin()->second[1];
    return true;
  }
  for (const auto& key : keys)
    if (key.second[0] == time) {
      value = key.second[1];
      return true;
    }
  return false;
}

}  // namespace headless
