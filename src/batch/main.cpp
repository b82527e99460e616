// The batch program: the window's analysis over files named on the command
// line, with no display.

#include <iostream>
#include <string>
#include <vector>

#include "batch/BatchCommand.h"

int main(int argc, char* argv[]) {
    return batch::RunBatchCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
