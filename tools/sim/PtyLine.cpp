#include "PtyLine.h"

#include "LineSpeed.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {

bool makeParentDirs(const std::string& path)
{
    for (size_t pos = path.find('/', 1); pos != std::string::npos; pos = path.find('/', pos + 1)) {
        const std::string dir = path.substr(0, pos);
        if (::mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

} // namespace

PtyLine::~PtyLine()
{
    close();
}

bool PtyLine::open(const std::string& linkPath, std::string& error)
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char* name = ::ptsname(m_master);
    if (!name) {
        error = "cannot name the pseudo-terminal";
        return false;
    }
    m_slavePath = name;
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_slave < 0) {
        error = std::string("cannot open ") + name + ": " + std::strerror(errno);
        return false;
    }
    // A raw line at the device's factory rate until the program sets its own.
    termios t {};
    ::tcgetattr(m_slave, &t);
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, B115200);
    ::cfsetospeed(&t, B115200);
    ::tcsetattr(m_slave, TCSANOW, &t);

    if (!makeParentDirs(linkPath)) {
        error = "cannot create the folder of " + linkPath;
        return false;
    }
    ::unlink(linkPath.c_str());
    if (::symlink(name, linkPath.c_str()) != 0) {
        error = "cannot create the link " + linkPath + ": " + std::strerror(errno);
        return false;
    }
    m_link = linkPath;
    return true;
}

void PtyLine::close()
{
    if (!m_link.empty())
        ::unlink(m_link.c_str());
    m_link.clear();
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
}

int PtyLine::programBaud() const
{
    return slaveBaudRate(m_master);
}

long PtyLine::writeSome(const char* data, long size)
{
    const ssize_t n = ::write(m_master, data, size_t(size));
    return n > 0 ? long(n) : 0;
}

long PtyLine::readSome(char* buf, long size)
{
    const ssize_t n = ::read(m_master, buf, size_t(size));
    if (n >= 0)
        return long(n);
    return (errno == EAGAIN || errno == EINTR || errno == EIO) ? 0 : -1;
}

int PtyLine::pendingTowardsProgram() const
{
    int n = 0;
    if (m_slave < 0 || ::ioctl(m_slave, FIONREAD, &n) != 0)
        return 0;
    return n;
}

void PtyLine::flushTowardsProgram()
{
    if (m_slave >= 0)
        ::tcflush(m_slave, TCIFLUSH);
}

} // namespace sim
