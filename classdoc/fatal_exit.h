// The one way a foreseen fatal condition ends the class program: the code that
// finds it throws FatalExit, runClassTool catches it, writes the message to the
// error stream and returns the exit code, so the process is never ended from
// inside the library and every stream is flushed on the way out.
#pragma once

#include <string>

namespace classdoc {

struct FatalExit {
  std::string message;  // written to the error stream, one line
  int exitCode;         // returned by runClassTool
};

[[noreturn]] inline void fatalExit(std::string message, int exitCode) {
  throw FatalExit{std::move(message), exitCode};
}

}  // namespace classdoc
