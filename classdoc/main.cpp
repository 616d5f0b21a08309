// class: lists the documentation of C++ class headers.
//   class stack.h queue.h        all items, alphabetically
//   class -f -p *.h              by file and line, private members too
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "class_tool.h"

int main(int argc, char** argv) {
  try {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return classdoc::runClassTool(args, std::cout, std::cerr);
  } catch (const std::exception& error) {
    std::cout.flush();
    std::cerr << "*** Error *** " << error.what() << '\n';
    return 1;
  }
}
