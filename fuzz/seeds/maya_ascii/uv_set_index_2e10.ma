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
	addAttr -ci true -sn "custom" -hn "customValue" -at "double";
	setAttr ".custom" 4.5;
	setAttr -s 4 ".vt";
	setAttr ".vt[0:1]"  0 0 0  20 0 0;
	setAttr ".vt[2:3]"  20 0 -20  0 0 -20;
	setAttr -s 4 ".ed[0:3]"  0 1 0  1 2 0  2 3 0  3 0 0;
	setAttr -s 2 ".clr[0:1]"  1 0 0 1  0 0 1 0.5;
	setAttmesh -n "ns:quadShape" -p "ns:quad";
	addAttr -ci true -sn "custom" -hn "customValue" -at "double"ì;
	setAttr ".custom" 4.5;
	setAttr -s 4 ".vt";
	setAttr ".vt[0:1]"  0 0 0  20 0 0;
	setAttr ".vt[2:3]"  20 0 -20  0 0 -20;
	setAttr -s 4 ".ed[0:3]"  0 1 0  1 2 0  2 3 0  3 0 0;
	setAttr -s 2 ".clr[0:1]"  1 0 0 1  0 0 1 0.5;
	setAttr -s 1 -ch 4 ".fc[0]" -type "polyFaces"
		f 4 0 1 2 3
		fc 4 0 1 -1 0 ;
	setAttr ".uvst[20000000000].uvsn" -type "string" "map1";
creaxteNode lambert -n "ns:grey";
	s000-0000000000 -type "string" "map1";
creaxteNode lambert -n "ns:grey.oc" "ns:greySG.ss";
connectAttr "ns:quadShape.iog" "ns:greySG.dsm" -na;
lockNode -l 2;
dataStructure -fmt "raw" -as "name=x:string=y";
discoynectAttr "ns:tex.ot" "ns:grey.it";
//interm End of odd_syntax.ma
