#pragma once

#include "Motion.h"

#include <string>

namespace sim {

/// The device's output formats, encoded here from the published frame layouts without
/// any code of the program under test.
enum class OutputFormat { ImuBin, SinsBin, ImuAsc, AhrsAsc, SinsAsc };

bool parseOutputFormat(const std::string& name, OutputFormat& out);
const char* outputFormatName(OutputFormat f);

/// 31-byte IMU frame: AA 55, count, scaled rates and accelerations, temperature, sum.
std::string encodeImuBin(const NavState& s);
/// 59-byte navigation frame: AA 55, status, raw floats, attitude, position, velocity,
/// temperature, time tag (high * 10000 + low, in 0.1 ms), two's-complement checksum.
std::string encodeSinsBin(const NavState& s);
std::string encodeImuAsc(const NavState& s);
std::string encodeAhrsAsc(const NavState& s);
std::string encodeSinsAsc(const NavState& s);

std::string encode(OutputFormat f, const NavState& s);

/// "#vorn," + body + "*ff\r\n": the device's text sentence frame.
std::string vornSentence(const std::string& body);

} // namespace sim
