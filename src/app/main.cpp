#include "app/CKurvonApp.h"
#include "app/CommandLine.h"
#include "platform/CommandArguments.h"
#include "platform/ConsoleStreams.h"

#include <QString>

#include <csignal>
#include <iostream>

// One source for kurvon and, on Windows, for its console companion kurvon.com: the same program
// built once for the window subsystem and once for the console.
int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // Past a file-size limit a write then fails with EFBIG and gets the usual failure message,
    // instead of the signal ending the program without a word.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    kurvon::SetUpStandardStreams();
    const std::vector<std::string> args = kurvon::CommandArguments(argc, argv);
    if (const auto exitCode = kurvon::RunCommandLine(args, std::cout, std::cerr))
        return *exitCode;
    // Anything else opens the window; a single file argument is loaded as Open would.
    const kurvon::WindowArguments window = kurvon::WindowArgumentsOf(args);
    return kurvon::RunGui(argc, argv, QString::fromUtf8(window.file), window.follow);
}
