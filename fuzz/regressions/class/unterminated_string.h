class A {
  const char* s = "no end
  int y;
};
char c = 'x;
