// Kept apart from <termios.h>: the kernel's termios2 definitions clash with glibc's.
#include "LineSpeed.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace sim {

int slaveBaudRate(int masterFd)
{
    // Terminal-mode requests on a pty master act on the slave's settings, so the master
    // sees whatever speed the program configured on its side.
    struct termios2 t
    {
    };
    if (ioctl(masterFd, TCGETS2, &t) != 0)
        return 0;
    return int(t.c_ospeed);
}

} // namespace sim
