//Maya ASCII 2018 scene
//Name: curves_surfaces.ma
requires maya "2018";
currentUnit -l meter -a radian -t film;
createNode transform -n "arc";
	setAttr ".t" -type "double3" 0 0 1 ;
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
createNode transform -n "ring";
createNode nurbsCurve -n "ringShape" -p "ring";
	setAttr ".cc" -type "nurbsCurve"
		2 3 2 yes 3
		6 -1 0 1 2 3 4
		5
		1 0 0 1
		0 1 0 0.7
		-1 0 0 1
		1 0 0 1
		0 1 0 0.7
		;
createNode transform -n "patch";
	setAttr ".r" -type "double3" 0.5 0 0 ;
createNode nurbsSurface -n "patchShape" -p "patch";
	setAttr ".cc" -type "nurbsSurface"
		3 3 0 0 no
		6 0 0 0 1 1 1
		6 0 0 0 1 1 1

		16
		0 0 0   0 0 1   0 0 2   0 0 3
		1 0 0   1 1 1   1 1 2   1 0 3
		2 0 0   2 1 1   2 1 2   2 0 3
		3 0 0   3 0 1   3 0 2   3 0 3
		;
createNode transform -n "strip";
createNode nurbsSurface -n "stripShape" -p "strip";
	setAttr ".cc" -type "nurbsSurface"
		3 1 0 0 no
		7 0 0 0 1 2 2 2
		2 0 1

		10
		0 0 0  0 0 1
		1 0 0  1 1 1
		2 0 0  2 1 1
		3 0 0  3 0 1
		4 0 0  4 0 1
		;
// End of curves_surfaces.ma
