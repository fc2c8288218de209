// The real start-up function linked without the QML module, so that its main QML file
// is missing: exercises the load-failure path of start-up.
#include "app/Startup.h"

int main(int argc, char** argv)
{
    return gcs::runApplication(argc, argv);
}
