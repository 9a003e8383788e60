// orlan: the desktop configuration tool.
#include <QStringList>

#include <cstdio>

#include "app/OrlanApp.h"
#include "app/StartOptions.h"
#include "OrlanVersion.h"

int main(int argc, char** argv)
{
    // Read before the application exists: --help and --version need no display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const orlan::SParsedCommandLine parsed = orlan::ParseCommandLine(arguments);
    switch (parsed.outcome) {
    case orlan::EParseOutcome::Help:
        std::fputs(orlan::kUsage, stdout);
        return 0;
    case orlan::EParseOutcome::Version:
        std::printf("orlan %s\n", orlan::kOrlanVersion);
        return 0;
    case orlan::EParseOutcome::Error:
        std::fprintf(stderr, "orlan: %s\n%s", parsed.error.toLocal8Bit().constData(), orlan::kUsage);
        return 1;
    case orlan::EParseOutcome::Run:
        break;
    }
    orlan::COrlanApp app(argc, argv);
    return app.Run(parsed.options);
}
