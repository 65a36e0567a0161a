#include "params/catalogue/Unit.h"

#include <array>
#include <cstddef>

namespace zavo::catalogue {
namespace {

// In enumerator order.
constexpr std::array<std::string_view, static_cast<std::size_t>(Unit::EncoderClass) + 1> kTexts{
    "",      "ms",     "Hz",     "rps/s",  "pulse",  "*0.2ms", "*0.1",   "*40mV", "*4ms",
    "Volt",  "*250ms", "*10ms",  "*200us", "*1ms",   "degree", "0.01degree",     "mm",
    "0.1mm", "1/10000 rev(pulse)", "rad/s",  "rpm",    "rpm/10V", "%/10V", "%",   "mV",
    "us",    "sec",    "kHz",    "ppr",    "1/s",    "*10usec", "0.4ms", "pulse/rev",
    "bit",   "0.1Hz",  "*2ms",   "rev",    "0.1ms",  "0.10%",  "0.1%",   "0.0001", "0.1rev",
    "W",     "V",      "mm/s",   "20ns",   "hour",   "0.1deg", ""};

}  // namespace

std::string_view unitText(Unit unit) {
  const auto i = static_cast<std::size_t>(unit);
  return i < kTexts.size() ? kTexts[i] : std::string_view{};
}

}  // namespace zavo::catalogue
