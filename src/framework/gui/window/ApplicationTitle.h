#pragma once
// The application title that captions every message box. The program does not
// set it: it comes from the program file's name.

#include <string>

namespace fw {

// The name without its folder, cut at its first ".", the first character as it
// stands and every later one in lower case: "/x/y/MY.PROG.bin" gives "My".
std::string ApplicationTitleFromProgramPath(const std::string& programPath);

// The title of the running program (needs the application object).
std::string ApplicationTitle();

}  // namespace fw
