#include "app/Startup.h"

int main(int argc, char** argv)
{
    return gcs::runApplication(argc, argv);
}
