#pragma once

#include <string>

namespace sim {

/// The simulator's end of a serial line: the master side of a pseudo-terminal, with a
/// symbolic link to the slave side for the program to open. The simulator keeps a slave
/// descriptor of its own so that the line stays up while the program closes and opens
/// the port, like a device that stays powered.
class PtyLine
{
public:
    PtyLine() = default;
    ~PtyLine();
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    bool open(const std::string& linkPath, std::string& error);
    void close();

    int masterFd() const { return m_master; }
    const std::string& slavePath() const { return m_slavePath; }
    /// Baud rate the program set on its side (0 if unknown).
    int programBaud() const;
    /// Writes what the line takes now; returns the number of bytes written (may be 0).
    long writeSome(const char* data, long size);
    /// Reads what is there without waiting; -1 on a hard error.
    long readSome(char* buf, long size);
    /// Bytes queued towards the program and not yet read by it.
    int pendingTowardsProgram() const;
    /// Drops bytes queued towards the program that it has not read yet.
    void flushTowardsProgram();

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
    std::string m_link;
};

} // namespace sim
