/// doc of A
class A { int x; };
/* never ends
class B {};
