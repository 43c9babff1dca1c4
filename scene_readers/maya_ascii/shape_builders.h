#pragma once
// NURBS curves and surfaces (".cc" values) and lattices with the ffd deformers they drive.

#include "scene_readers/maya_ascii/build_context.h"

namespace mayaascii {

// True when the node carries its own ".cc" geometry value.
bool hasCachedGeometry(const Node& node);

// Creates the curve, surface or lattice shape of document node `index` under `parent`; throws ReadError
// when the host refuses it.
MObject createCurveShape(const Node& node, const MObject& parent);
MObject createSurfaceShape(const Node& node, const MObject& parent);
MObject createLatticeShape(const Node& node, const MObject& parent);

// Whether knots of this degree make every span a Bezier segment: each distinct knot value repeated
// exactly `degree` times (the host's knot vectors leave out the outermost repeats).
bool knotsAreBezier(const std::vector<double>& knots, int degree);

// Creates the ffd deformer of document node `index`: its lattice is the shape whose latticeOutput
// feeds it, its deformed shapes those its outputGeometry[i] feed, in index order (through further
// deformers if need be). Returns null, with a warning in the report, when either is missing.
MObject createFfdDeformer(BuildContext& context, int index);

} // namespace mayaascii
