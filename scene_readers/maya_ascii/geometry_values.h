#pragma once
// Decoding of the geometry data types of setAttr: "polyFaces", "nurbsCurve", "nurbsSurface" and
// "lattice". Every count written in the data is checked against the tokens actually present before
// anything is sized by it.

#include "scene_readers/maya_ascii/lexer.h"
#include "scene_readers/maya_ascii/scene_document.h"
#include "scene_readers/maya_ascii/value_tokens.h"

namespace mayaascii {

// The tokens after -type "polyFaces": keyword groups f/h/mu/mc/fc. Throws ReadError.
PolyFacesData decodePolyFaces(ValueTokens& tokens, int line);

// Degree, spans, form, rational, dimension; knot count and knots; CV count and CVs.
NurbsCurveData decodeNurbsCurve(ValueTokens& tokens, int line);

// Degrees, forms, rational; U knots, V knots; anything a trimmed surface keeps; CV count and CVs.
NurbsSurfaceData decodeNurbsSurface(ValueTokens& tokens, int line);

// S T U divisions, point count, points.
LatticeData decodeLattice(ValueTokens& tokens, int line);

} // namespace mayaascii
