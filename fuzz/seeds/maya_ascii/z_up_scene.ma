//Maya ASCII 2018 scene
//Name: z_up_scene.ma
//Codeset: UTF-8
// A scene modelled with Z up: a ground quad in the XY plane and a tower rising along +Z, topped by a
// hexagonal cap (a face of six corners). Scene files do not record the up axis:
// export with  qaxexport export examples/z_up_scene.ma --up-axis z
requires maya "2018";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "ground";
createNode mesh -n "groundShape" -p "ground";
	setAttr -s 4 ".vt[0:3]"  -5 -5 0  5 -5 0  5 5 0  -5 5 0;
	setAttr -s 4 ".ed[0:3]"  0 1 0  1 2 0  2 3 0  3 0 0;
	setAttr -s 4 ".uvst[0].uvsp[0:3]" -type "float2" 0 0 1 0 1 1 0 1;
	setAttr -s 1 -ch 4 ".fc[0]" -type "polyFaces"
		f 4 0 1 2 3
		mu 0 4 0 1 2 3;
createNode transform -n "tower";
	setAttr ".t" -type "double3" 1 1 0 ;
	setAttr ".r" -type "double3" 0 0 15 ;
createNode mesh -n "towerShape" -p "tower";
	setAttr -s 8 ".vt[0:7]"  -0.5 -0.5 0  0.5 -0.5 0  0.5 0.5 0  -0.5 0.5 0
		 -0.5 -0.5 4  0.5 -0.5 4  0.5 0.5 4  -0.5 0.5 4;
	setAttr -s 12 ".ed[0:11]"  0 1 0  1 2 0  2 3 0  3 0 0  4 5 0  5 6 0  6 7 0  7 4 0
		 0 4 0  1 5 0  2 6 0  3 7 0;
	setAttr -s 6 -ch 24 ".fc[0:5]" -type "polyFaces"
		f 4 -4 -3 -2 -1
		f 4 4 5 6 7
		f 4 0 9 -5 -9
		f 4 1 10 -6 -10
		f 4 2 11 -7 -11
		f 4 3 8 -8 -12;
createNode transform -n "cap" -p "tower";
	setAttr ".t" -type "double3" 0 0 4 ;
createNode mesh -n "capShape" -p "cap";
	setAttr -s 6 ".vt[0:5]"  0.8 0 0.3  0.4 0.69282 0.3  -0.4 0.69282 0.3  -0.8 0 0.3
		 -0.4 -0.69282 0.3  0.4 -0.69282 0.3;
	setAttr -s 6 ".ed[0:5]"  0 1 1  1 2 1  2 3 1  3 4 1  4 5 1  5 0 1;
	setAttr -s 1 -ch 6 ".fc[0]" -type "polyFaces"
		f 6 0 1 2 3 4 5;
createNode lambert -n "grass";
	setAttr ".c" -type "float3" 0.2 0.6 0.15 ;
createNode shadingEngine -n "grassSG";
	setAttr ".ro" yes;
createNode lambert -n "stone";
	setAttr ".c" -type "float3" 0.55 0.5 0.45 ;
	setAttr ".dc" 0.9;
createNode shadingEngine -n "stoneSG";
	setAttr ".ro" yes;
connectAttr "grass.oc" "grassSG.ss";
connectAttr "stone.oc" "stoneSG.ss";
connectAttr "groundShape.iog" "grassSG.dsm" -na;
connectAttr "towerShape.iog" "stoneSG.dsm" -na;
connectAttr "capShape.iog" "stoneSG.dsm" -na;
// End of z_up_scene.ma
