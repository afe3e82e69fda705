#include "app/CKurvonApp.h"
#include "app/CommandLine.h"

#include <QString>

int main(int argc, char** argv) {
    if (const auto exitCode = kurvon::RunCommandLine(argc, argv))
        return *exitCode;
    // Anything else opens the window; a single file argument is loaded as Open would.
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    return kurvon::RunGui(argc, argv, file);
}
