#pragma once
// The application object: names and icon of the program, its command line,
// the label catalogue, and the main window it runs until that closes.
#include <QApplication>

namespace orlan {

class COrlanApp final : public QApplication {
    Q_OBJECT
public:
    COrlanApp(int& argc, char** argv);
    // Runs the main window; the exit status of the program.
    int Run();
};

} // namespace orlan
