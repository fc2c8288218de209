#pragma once

namespace sim {

/// The baud rate the program has set on the far (slave) side of the pseudo-terminal
/// whose master is fd, read through the master; 0 when it cannot be read. Custom rates
/// (set with BOTHER) are returned as they are.
int slaveBaudRate(int masterFd);

} // namespace sim
