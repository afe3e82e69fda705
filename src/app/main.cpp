#include "app/CKurvonApp.h"
#include "app/CommandLine.h"

#include <QString>

#include <csignal>

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // Past a file-size limit a write then fails with EFBIG and gets the usual failure message,
    // instead of the signal ending the program without a word.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    if (const auto exitCode = kurvon::RunCommandLine(argc, argv))
        return *exitCode;
    // Anything else opens the window; a single file argument is loaded as Open would.
    const kurvon::WindowArguments window = kurvon::WindowArgumentsOf(argc, argv);
    return kurvon::RunGui(argc, argv, QString::fromLocal8Bit(window.file.c_str()), window.follow);
}
