class A {
  int x;
  struct B {
    void f(
