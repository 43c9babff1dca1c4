//Maya ASCII 2018 scene
// A cube whose faces groupParts1 tags for redSG (the test puts the faces in the component list); the shape tweaks vertex 5 up by 2.
createNode transform -n "box";
createNode mesh -n "boxShape" -p "box";
	setAttr ".pt[5]" -type "float3" 0 2 0;
createNode polyCube -n "polyCube1";
createNode groupId -n "groupId1";
createNode groupParts -n "groupParts1";
	setAttr ".ic" -type "componentList" 1 "FACES";
createNode lambert -n "red";
createNode shadingEngine -n "redSG";
connectAttr "polyCube1.out" "groupParts1.ig";
connectAttr "groupId1.id" "groupParts1.gi";
connectAttr "groupParts1.og" "boxShape.i";
connectAttr "groupId1.id" "boxShape.iog.og[0].gid";
connectAttr "red.oc" "redSG.ss";
connectAttr "boxShape.iog.og[0]" "redSG.dsm" -na;
