//Maya ASCII 2018 scene
//Name: nurbs_lattice_lights.ma
//Codeset: UTF-8
// A scene with the other kinds the exporter captures and logs: a NURBS surface of two Bezier
// patches, a NURBS curve, a ball deformed by a lattice (ffd), a camera and four lights, standing on a
// shaded ground so that the export has meshes to write.
requires maya "2018";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "ground";
createNode mesh -n "groundShape" -p "ground";
	setAttr -s 4 ".vt[0:3]"  -8 0 8  8 0 8  8 0 -8  -8 0 -8;
	setAttr -s 4 ".ed[0:3]"  0 1 0  1 2 0  2 3 0  3 0 0;
	setAttr -s 1 -ch 4 ".fc[0]" -type "polyFaces"
		f 4 0 1 2 3;
createNode transform -n "ball";
	setAttr ".t" -type "double3" 3 1 0 ;
createNode mesh -n "ballShape" -p "ball";
	setAttr -k off ".v";
	setAttr -s 6 ".vt[0:5]"  1 0 0  -1 0 0  0 1.4 0  0 -1 0  0 0 1  0 0 -1;
	setAttr -s 12 ".ed[0:11]"  4 0 1  0 5 1  5 1 1  1 4 1  0 2 1  5 2 1  1 2 1  4 2 1
		 0 3 1  5 3 1  1 3 1  4 3 1;
	setAttr -s 8 -ch 24 ".fc[0:7]" -type "polyFaces"
		f 3 0 4 -8
		f 3 1 5 -5
		f 3 2 6 -6
		f 3 3 7 -7
		f 3 -1 11 -9
		f 3 -2 8 -10
		f 3 -3 9 -11
		f 3 -4 10 -12;
createNode mesh -n "ballShapeOrig" -p "ball";
	setAttr -k off ".v";
	setAttr ".io" yes;
	setAttr -s 6 ".vt[0:5]"  1 0 0  -1 0 0  0 1 0  0 -1 0  0 0 1  0 0 -1;
	setAttr -s 12 ".ed[0:11]"  4 0 1  0 5 1  5 1 1  1 4 1  0 2 1  5 2 1  1 2 1  4 2 1
		 0 3 1  5 3 1  1 3 1  4 3 1;
	setAttr -s 8 -ch 24 ".fc[0:7]" -type "polyFaces"
		f 3 0 4 -8
		f 3 1 5 -5
		f 3 2 6 -6
		f 3 3 7 -7
		f 3 -1 11 -9
		f 3 -2 8 -10
		f 3 -3 9 -11
		f 3 -4 10 -12;
createNode transform -n "ffd1Lattice";
	setAttr ".t" -type "double3" 3 1 0 ;
	setAttr ".s" -type "double3" 3 3 3 ;
createNode lattice -n "ffd1LatticeShape" -p "ffd1Lattice";
	setAttr -k off ".v";
	setAttr ".sd" 2;
	setAttr ".td" 2;
	setAttr ".ud" 2;
	setAttr ".cc" -type "lattice" 2 2 2 8
		-0.5 -0.5 -0.5  0.5 -0.5 -0.5  -0.5 0.7 -0.5  0.5 0.7 -0.5
		-0.5 -0.5 0.5  0.5 -0.5 0.5  -0.5 0.7 0.5  0.5 0.7 0.5 ;
createNode transform -n "ffd1Base";
	setAttr ".t" -type "double3" 3 1 0 ;
	setAttr ".s" -type "double3" 3 3 3 ;
createNode baseLattice -n "ffd1BaseShape" -p "ffd1Base";
	setAttr ".io" yes;
createNode ffd -n "ffd1";
	setAttr ".lo" yes;
createNode transform -n "patch";
	setAttr ".t" -type "double3" -4 0 -3 ;
createNode nurbsSurface -n "patchShape" -p "patch";
	setAttr -k off ".v";
	setAttr ".dvu" 0;
	setAttr ".dvv" 0;
	setAttr ".cc" -type "nurbsSurface"
		3 3 0 0 no
		9 0 0 0 1 1 1 2 2 2
		6 0 0 0 1 1 1

		28
		-1.5 0 -0.75   -1.5 0 -0.25   -1.5 0 0.25   -1.5 0 0.75
		-1 0 -0.75   -1 0 -0.25   -1 0 0.25   -1 0 0.75
		-0.5 0 -0.75   -0.5 1.2 -0.25   -0.5 1.2 0.25   -0.5 0 0.75
		0 0 -0.75   0 1.2 -0.25   0 1.2 0.25   0 0 0.75
		0.5 0 -0.75   0.5 1.2 -0.25   0.5 1.2 0.25   0.5 0 0.75
		1 0 -0.75   1 0 -0.25   1 0 0.25   1 0 0.75
		1.5 0 -0.75   1.5 0 -0.25   1.5 0 0.25   1.5 0 0.75
		;
createNode transform -n "arc";
	setAttr ".t" -type "double3" -4 0 3 ;
createNode nurbsCurve -n "arcShape" -p "arc";
	setAttr -k off ".v";
	setAttr ".cc" -type "nurbsCurve"
		3 1 0 no 3
		6 0 0 0 1 1 1
		4
		0 0 0
		1 2 0
		3 2 0
		4 0 0
		;
createNode transform -n "shotCam";
	setAttr ".t" -type "double3" 0 5 15 ;
	setAttr ".r" -type "double3" -15 0 0 ;
createNode camera -n "shotCamShape" -p "shotCam";
	setAttr -k off ".v";
	setAttr ".fl" 50;
	setAttr ".coi" 15.8;
	setAttr ".cap" -type "double2" 1.417 0.945 ;
createNode transform -n "fill";
createNode ambientLight -n "fillShape" -p "fill";
	setAttr ".in" 0.2;
createNode transform -n "sun";
	setAttr ".r" -type "double3" -45 30 0 ;
createNode directionalLight -n "sunShape" -p "sun";
	setAttr ".cl" -type "float3" 1 0.95 0.85 ;
	setAttr ".in" 1.2;
createNode transform -n "bulb";
	setAttr ".t" -type "double3" 2 4 2 ;
createNode pointLight -n "bulbShape" -p "bulb";
	setAttr ".cl" -type "float3" 1 0.7 0.4 ;
	setAttr ".de" 2;
createNode transform -n "key";
	setAttr ".t" -type "double3" 0 8 0 ;
	setAttr ".r" -type "double3" -90 0 0 ;
createNode spotLight -n "keyShape" -p "key";
	setAttr ".in" 2;
	setAttr ".ca" 35;
	setAttr ".pa" 5;
	setAttr ".dro" 2;
createNode lambert -n "groundMat";
	setAttr ".c" -type "float3" 0.4 0.4 0.4 ;
createNode shadingEngine -n "groundMatSG";
	setAttr ".ro" yes;
createNode phong -n "ballMat";
	setAttr ".c" -type "float3" 0.1 0.3 0.8 ;
	setAttr ".cp" 30;
createNode shadingEngine -n "ballMatSG";
	setAttr ".ro" yes;
createNode blinn -n "patchMat";
	setAttr ".c" -type "float3" 0.8 0.6 0.1 ;
createNode shadingEngine -n "patchMatSG";
	setAttr ".ro" yes;
connectAttr "ffd1LatticeShape.wm" "ffd1.dlm";
connectAttr "ffd1LatticeShape.lo" "ffd1.dlp";
connectAttr "ffd1BaseShape.wm" "ffd1.blm";
connectAttr "ballShapeOrig.w" "ffd1.ip[0].ig";
connectAttr "ffd1.og[0]" "ballShape.i";
connectAttr "groundMat.oc" "groundMatSG.ss";
connectAttr "ballMat.oc" "ballMatSG.ss";
connectAttr "patchMat.oc" "patchMatSG.ss";
connectAttr "groundShape.iog" "groundMatSG.dsm" -na;
connectAttr "ballShape.iog" "ballMatSG.dsm" -na;
connectAttr "patchShape.iog" "patchMatSG.dsm" -na;
// End of nurbs_lattice_lights.ma
