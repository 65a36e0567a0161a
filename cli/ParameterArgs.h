#pragma once
// Checks of parameter codes and values given on zavoctl's command line, before the drive is
// touched.

#include <cstdint>
#include <string>

namespace zavo::cli {

// True when the code names a parameter of the current drive type that is transferred.
bool knownParameter(const std::string& code);
// The limits of a parameter for the current drive type and motor data.
bool parameterLimits(const std::string& code, std::int32_t& min, std::int32_t& max);

}  // namespace zavo::cli
