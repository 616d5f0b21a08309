// A round bar of hexahedra for the zelk-deck round trip: radius 5, length 20
// (mm), a butterfly section of a square core and four curved blocks, extruded
// along z. Physical groups: "bottom" (z = 0), "top" (z = 20), "bar" (the cells).
R = 5; L = 20;
a = R / (Sqrt(2) + 1);  // core half-width
c = R / Sqrt(2);
Point(1) = {0, 0, 0};
Point(2) = {a, a, 0}; Point(3) = {-a, a, 0}; Point(4) = {-a, -a, 0}; Point(5) = {a, -a, 0};
Point(6) = {c, c, 0}; Point(7) = {-c, c, 0}; Point(8) = {-c, -c, 0}; Point(9) = {c, -c, 0};
Line(1) = {2, 3}; Line(2) = {3, 4}; Line(3) = {4, 5}; Line(4) = {5, 2};
Circle(5) = {6, 1, 7}; Circle(6) = {7, 1, 8}; Circle(7) = {8, 1, 9}; Circle(8) = {9, 1, 6};
Line(9) = {2, 6}; Line(10) = {3, 7}; Line(11) = {4, 8}; Line(12) = {5, 9};
Curve Loop(1) = {1, 2, 3, 4}; Plane Surface(1) = {1};
Curve Loop(2) = {9, 5, -10, -1}; Plane Surface(2) = {2};
Curve Loop(3) = {10, 6, -11, -2}; Plane Surface(3) = {3};
Curve Loop(4) = {11, 7, -12, -3}; Plane Surface(4) = {4};
Curve Loop(5) = {12, 8, -9, -4}; Plane Surface(5) = {5};
Transfinite Curve{1:8} = 4; Transfinite Curve{9:12} = 2;
Transfinite Surface{1:5}; Recombine Surface{1:5};
out[] = Extrude {0, 0, L} { Surface{1:5}; Layers{8}; Recombine; };
Physical Surface("bottom") = {1:5};
Physical Surface("top") = {out[0], out[6], out[12], out[18], out[24]};
Physical Volume("bar") = {out[1], out[7], out[13], out[19], out[25]};
