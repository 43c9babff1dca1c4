//Maya ASCII 2018 scene
//Name: textured_cube.ma
//Codeset: UTF-8
// A cube of side 2 standing on the ground, shaded by a blinn whose colour comes from a file texture.
// Export: qaxexport export examples/textured_cube.ma
requires maya "2018";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
createNode transform -n "cube";
	setAttr ".t" -type "double3" 0 1 0 ;
	setAttr ".r" -type "double3" 0 30 0 ;
createNode mesh -n "cubeShape" -p "cube";
	setAttr -k off ".v";
	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr -s 14 ".uvst[0].uvsp[0:13]" -type "float2" 0.375 0 0.625 0 0.375 0.25
		 0.625 0.25 0.375 0.5 0.625 0.5 0.375 0.75 0.625 0.75 0.375 1 0.625 1
		 0.875 0 0.875 0.25 0.125 0 0.125 0.25;
	setAttr ".cuvs" -type "string" "map1";
	setAttr -s 8 ".vt[0:7]"  -1 -1 1 1 -1 1 -1 1 1 1 1 1
		 -1 1 -1 1 1 -1 -1 -1 -1 1 -1 -1;
	setAttr -s 12 ".ed[0:11]"  0 1 0 2 3 0 4 5 0 6 7 0 0 2 0 1 3 0
		 2 4 0 3 5 0 4 6 0 5 7 0 6 0 0 7 1 0;
	setAttr -s 6 -ch 24 ".fc[0:5]" -type "polyFaces"
		f 4 0 5 -2 -5
		mu 0 4 0 1 3 2
		f 4 1 7 -3 -7
		mu 0 4 2 3 5 4
		f 4 2 9 -4 -9
		mu 0 4 4 5 7 6
		f 4 3 11 -1 -11
		mu 0 4 6 7 9 8
		f 4 -12 -10 -8 -6
		mu 0 4 1 10 11 3
		f 4 10 4 6 8
		mu 0 4 12 0 2 13;
createNode blinn -n "checkerBlinn";
	setAttr ".sc" -type "float3" 0.6 0.6 0.6 ;
	setAttr ".ec" 0.25;
createNode shadingEngine -n "checkerBlinnSG";
	setAttr ".ihi" 0;
	setAttr ".ro" yes;
createNode materialInfo -n "materialInfo1";
createNode file -n "checkerFile";
	setAttr ".ftn" -type "string" "sourceimages/checker.png";
createNode place2dTexture -n "place2dTexture1";
connectAttr "place2dTexture1.o" "checkerFile.uv";
connectAttr "place2dTexture1.ofs" "checkerFile.fs";
connectAttr "checkerFile.oc" "checkerBlinn.c";
connectAttr "checkerBlinn.oc" "checkerBlinnSG.ss";
connectAttr "cubeShape.iog" "checkerBlinnSG.dsm" -na;
connectAttr "checkerBlinnSG.msg" "materialInfo1.sg";
connectAttr "checkerBlinn.msg" "materialInfo1.m";
connectAttr "checkerFile.msg" "materialInfo1.t" -na;
// End of textured_cube.ma
