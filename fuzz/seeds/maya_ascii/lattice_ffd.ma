//Maya ASCII 2018 scene
//Name: lattice_ffd.ma
requires maya "2018";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "ball";
createNode mesh -n "ballShape" -p "ball";
	setAttr -s 4 ".vt[0:3]"  0 1 0  1 -1 0  -1 -1 0  0 0 1;
	setAttr -s 6 ".ed[0:5]"  0 1 0  1 2 0  2 0 0  0 3 0  1 3 0  2 3 0;
	setAttr -s 4 -ch 12 ".fc[0:3]" -type "polyFaces"
		f 3 0 1 2
		f 3 0 4 -4
		f 3 1 5 -5
		f 3 2 3 -6 ;
createNode mesh -n "ballShapeOrig" -p "ball";
	setAttr ".io" yes;
	setAttr -s 4 ".vt[0:3]"  0 1 0  1 -1 0  -1 -1 0  0 0 1;
	setAttr -s 6 ".ed[0:5]"  0 1 0  1 2 0  2 0 0  0 3 0  1 3 0  2 3 0;
	setAttr -s 4 -ch 12 ".fc[0:3]" -type "polyFaces"
		f 3 0 1 2
		f 3 0 4 -4
		f 3 1 5 -5
		f 3 2 3 -6 ;
createNode transform -n "ffd1Lattice";
	setAttr ".s" -type "double3" 4 4 4 ;
createNode lattice -n "ffd1LatticeShape" -p "ffd1Lattice";
	setAttr ".td" 3;
	setAttr ".cc" -type "lattice" 2 3 2 12
		-0.5 -0.5 -0.5  0.5 -0.5 -0.5  -0.5 0 -0.5  0.5 0 -0.5
		-0.5 0.5 -0.5  0.5 0.5 -0.5  -0.5 -0.5 0.5  0.5 -0.5 0.5
		-0.5 0 0.5  0.5 0 0.5  -0.5 0.5 0.5  0.7 0.9 0.5 ;
createNode transform -n "ffd1Base";
	setAttr ".s" -type "double3" 4 4 4 ;
createNode baseLattice -n "ffd1BaseShape" -p "ffd1Base";
createNode tweak -n "tweak1";
createNode ffd -n "ffd1";
	setAttr ".lo" yes;
connectAttr "ffd1LatticeShape.wm" "ffd1.dlm";
connectAttr "ffd1LatticeShape.lo" "ffd1.dlp";
connectAttr "ffd1BaseShape.wm" "ffd1.blm";
connectAttr "ballShapeOrig.w" "tweak1.ip[0].ig";
connectAttr "tweak1.og[0]" "ffd1.ip[0].ig";
connectAttr "ffd1.og[0]" "ballShape.i";
connectAttr "ballShape.iog" ":initialShadingGroup.dsm" -na;
// End of lattice_ffd.ma
