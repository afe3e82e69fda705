#include "app/CommandLine.h"

#include <iostream>

int main(int argc, char** argv) {
    if (const auto exitCode = kurvon::RunCommandLine(argc, argv))
        return *exitCode;
    // The window is not there yet: say how the program can be used.
    std::cerr << kurvon::UsageText();
    return 2;
}
