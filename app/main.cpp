// orlan: the desktop configuration tool.
#include "app/OrlanApp.h"

int main(int argc, char** argv)
{
    orlan::COrlanApp app(argc, argv);
    return app.Run();
}
