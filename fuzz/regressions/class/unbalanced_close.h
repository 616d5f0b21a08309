}}}}
class A { int x; }; }}} ) ) ]]
class B {};
