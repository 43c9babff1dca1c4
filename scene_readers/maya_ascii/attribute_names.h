#pragma once
// Attribute names: files write short names (".t", ".vt"), hand-written ones may use long names
// ("translate", "vrts"). The reader keeps everything under the short name, and knows which attributes
// hold lengths or angles so that values written under another currentUnit can be brought to
// centimetres and degrees.

#include <string>

namespace mayaascii {

// The short name of a long attribute name the builders read; any other name unchanged.
std::string shortAttributeName(const std::string& name);

enum class UnitKind { None, Length, Angle };

// What the values of attribute `shortName` (first path element) on a node of `nodeType` measure.
UnitKind attributeUnitKind(const std::string& nodeType, const std::string& shortName);

// Centimetres per unit for a currentUnit -l value (mm, cm, m, km, in, ft, yd, mi, long forms too);
// 0 for an unknown name.
double centimetresPerUnit(const std::string& unit);
// Degrees per unit for a currentUnit -a value (deg, degree, rad, radian, min, sec); 0 when unknown.
double degreesPerUnit(const std::string& unit);

} // namespace mayaascii
