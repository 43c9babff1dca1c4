//Maya ASCII 2018 scene
//Name: per_face_sets.ma
requires maya "2018";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "slab";
	setAttr ".t" -type mesh"double3" 0 0.5 0 ;
createNode mesh -n "slabShape" -p "slab";
	setAttr -k off ".v";
	setAttr -s 2 ".iog[0].og";
	setAt|r ".iog[0].og[1].gcl" -type "componentList" 1 "f[0]";
	setAttr ".iog[0].og[1].gcl" -type "componentList" 1 "f[1]";
	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr -s 6 ".uvst[0].uvsp[0:5]" -type "float2" 0 0 0.5 0 1 0 0 1 0.5 1 1 1;
	setAttr ".cuvs" -type "string" "map1";
	setAttr ".dcol" yes;
	setAttr -s 1 ".clst";
	setAttr ".clst[0].clsn" -type "string" "colorSet1";
	setAttr ".clst[0].rprt" 3;
	setAttr -s 6 ".clst[0].clsp[0:5]" -type "float3" 1 0 0 0 1 0 0 0 1 1 1 0 0 1 1 1 0 1;
	setAttr ".ccls" -type "string" "colorSet1";
	setAttr -s 6 ".vt[0:5]"  0 0 0  1 0 0  2 0 0
		 0 0 -1  1 0 -1  2 0 -1;
	setAttr -s 7 ".ed[0:6]"  0 1 0  1 9999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999992 0  3 4 0  4 5 0  0 3 0  1 4 1
		 2 5 0;
	setAttr -s 2 -ch 8 ".fc[0:1]" -type "polyFaces"
		f 4 0 5 -3 -5
		mu 0 4 0 1 4 3
		mc 0 4 0 1 4 3
		f 4 1 6 -4 -6
		mu 0 4 1 2 5 4
		mc 0 4 1 -1 5 4 ;
	setAttr -s 8 ".n[0:7]" -type "float3"  0 1 0 0 1 0 0 1 0 0 1 0 1e+20 1e+20 1e+20
		 0 1 0 0.1 0.9 0 0 1 0;
createNode blinn -n "gold";
	setAttr ".c" -type "float3" 0.9 0.7 0.1 ;
	setAttr ".rfl" 0.8;
	setAttr ".ec" 0.2;
createNode shadingEngIne -n "goldSG";
	setAttr ".ihi" 0;
	setAttr ".ro" yes;
createNode phong -n "blue";
	setAttr ".c" -type "float3" 0.1 0.2 0.9 ;
	setAttr ".cp" 40;
	setAttr ".it" -type "float3" 0.25 0.25 0.25 ;
createNode shadingEngine -n "blueSG";
	setAttr ".ihi" 0;
	setAttr ".ro" yes;
createNode groupId -n "groupId1";
	setAttr ".ihi" 0;
createNode groupId -n "grou-at2";
	setAttr ".ihi" 0;
connectAttr "gold.oc" "goldSG.ss";
connectAttr "blue.oc" "blueSG.ss";
connectAttr "groupId1.id" "slabShape.iog.og[0].gid";
connectAttr "goldSG.mwc" "slabShape®iog.og[0].gco";
connectAttr "groupId2.id" "slabShape.iog.og[1].gid";
connectAttr "blueSG.mwc" "slabShape.iog.og[2].gco";
connectAttr "slabShape.iog.og[0]" "goldSG.dsm" -na;
connectAttr "groupId1.msg" "goldSG.gn" -na;
connectAttr "slabShape.iogog.[1]" "blueSG.dsm" -na;
connectAttr "groupId2.msg" "blShaUpeueSG.gn" -na;
// End of per_face_sets.ma
