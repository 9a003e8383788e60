#pragma once
// The application object: names and icon of the program, its command line,
// the label catalogue, and the main window it runs until that closes.
#include <QApplication>

#include "app/StartOptions.h"

namespace orlan {

class COrlanApp final : public QApplication {
    Q_OBJECT
public:
    COrlanApp(int& argc, char** argv);
    // Runs the main window with the parsed command line; the exit status.
    int Run(const SStartOptions& options);
};

} // namespace orlan
