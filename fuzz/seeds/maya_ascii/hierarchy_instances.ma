//Maya ASCII 2018 scene
//Name: hierarchy_instances.ma
requires maya "2018";
requires -nodeType "someRenderGlobals" "someRenderer" "1.0";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "group1";
	setAttr ".t" -type "double3" 0 2 0 ;
	setAttr ".ro" 3;
	setAttr ".rp" -type "double3" 1 0 0 ;
	setAttr ".sp" -type "double3" 1 0 0 ;
createNode transform -n "tri" -p "group1";
	setAttr ".r" -type "double3" 90 0 45 ;
	setAttr ".s" -type "double3" 2 2 2 ;
createNode mesh -n "triShape" -p "|group1|tri";
	setAttr -s 3 ".vt[0:2]"  0 0 0  1 0 0  0 1 0;
	setAttr -s 3 ".ed[0:2]"  0 1 0  1 2 0  2 0 0;
	setAttr -s 3 ".pt[0:2]" -type "float3"  0 0 0.25  0 0 0  0 0 0;
	setAttr -s 1 -ch 3 ".fc[0]" -type "polyFaces"
		f 3 0 1 2 ;
createNode mesh -n "triShapeOrig" -p "|group1|tri";
	setAttr -k off ".v";
	setAttr ".io" yes;
	setAttr -s 3 ".vt[0:2]"  0 0 0  1 0 0  0 1 0;
	setAttr -s 3 ".ed[0:2]"  0 1 0  1 2 0  2 0 0;
	setAttr -s 1 -ch 3 ".fc[0]" -type "polyFaces"
		f 3 0 1 2 ;
createNode transform -n "hiddenGroup";
	setAttr ".v" no;
createNode transform -n "tri" -p "hiddenGroup";
createNode transform -n "copy";
	setAttr ".t" -type "double3" 5 0 0 ;
parent -s -nc -r -add "|group1|tri|triShape" "copy";
createNode someRenderGlobals -n "globals";
	setAttr ".quality" 3;
createNode polyCube -n "polyCube1";
	setAttr ".w" 2;
createNode transform -n "historyBox";
createNode mesh -n "historyBoxShape" -p "historyBox";
select -ne :lambert1;
	setAttr ".c" -type "float3" 0.4 0.4 0.4 ;
select -ne :initialShadingGroup;
	setAttr ".ro" yes;
connectAttr "polyCube1.out" "historyBoxShape.i";
connectAttr "|group1|tri|triShape.iog" ":initialShadingGroup.dsm" -na;
connectAttr "|copy|triShape.iog" ":initialShadingGroup.dsm" -na;
relationship "link" ":lightLinker1" ":initialShadingGroup.message" ":defaultLightSet.message";
// End of hierarchy_instances.ma
