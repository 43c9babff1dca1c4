//Maya ASCII 2018 scene
//Name: odd_syntax.ma
//Codeset: UTF-8
requires maya "2018";
currentUnit -l millimeter -a degree -t film;
fileInfo "note" ( "a long note " + "written in parts \"quoted\" \\ done" );
file -rdi 1 -ns "ref" -rfn "refRN" "other.ma";
createNode transform -n "ns:quad";
	rename -uid "0A1B2C3D-0000-0000-0000-000000000000";
createNode mesh -n "ns:quadShape" -p "ns:quad";
	addAttr -ci true -sn "custom" -ln "customValue" -at "double";
	setAttr ".custom" 4.5;
	setAttr -s 4 ".vt";
	setAttr ".vt[0:1]"  0 0 0  20 0 0;
	setAttr ".vt[2:3]"  20 0 -20  0 0 -20;
	setAttr -s 4 ".ed[0:3]"  0 1 0  1 2 0  2 3 0  3 0 0;
	setAttr -s 2 ".clr[0:1]"  1 0 0 1  0 0 1 0.5;
	setAttr -s 1 -ch 4 ".fc[0]" -type "polyFaces"
		f 4 0 1 2 3
		fc 4 0 1 -1 0 ;
	setAttr ".uvst[0].uvsn" -type "string" "map1";
createNode lambert -n "ns:grey";
	setAttr ".c" -type "float3" 0.5 0.5 0.5 ;
	setAttr ".dc" 1;
createNode file -n "ns:tex";
	setAttr ".ftn" -type "string" "C:\\Projects\\Demo\\sourceimages\\Grey Tile.PNG";
createNode place2dTexture -n "ns:p2d";
createNode shadingEngine -n "ns:greySG";
	setAttr ".ro" yes;
connectAttr "ns:p2d.o" "ns:tex.uv";
connectAttr "ns:tex.oc" "ns:grey.c";
connectAttr "ns:tex.ot" "ns:grey.it";
connectAttr "ns:grey.oc" "ns:greySG.ss";
connectAttr "ns:quadShape.iog" "ns:greySG.dsm" -na;
lockNode -l 1;
dataStructure -fmt "raw" -as "name=x:string=y";
disconnectAttr "ns:tex.ot" "ns:grey.it";
// End of odd_syntax.ma
