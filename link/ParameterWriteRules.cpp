#include "link/ParameterWriteRules.h"

#include "link/Protocol.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"
#include "params/catalogue/ParameterCode.h"
#include "params/catalogue/ValueConversion.h"

namespace zavo::writerules {
namespace {

// Read only on every drive.
constexpr std::string_view kReadOnly = "En15";
// The M7 family keeps its torque-reached level elsewhere; the word would land on another
// setting.
constexpr std::string_view kOlderFamilyOnly = "Tn110";

constexpr std::int32_t kWordMin = 0, kWordMax = 0xFFFF;
constexpr std::int32_t kSignedWordMin = -0x8000, kSignedWordMax = 0x7FFF;
constexpr std::int32_t kSelectionBits = 0x3;
constexpr std::int32_t kSelectionNibble = 0xF;
// The two selections that the drive keeps as other codes.
constexpr std::int32_t kSelection4 = 4, kSelection5 = 5, kWord4 = 6, kWord5 = 7;

bool keepsUpperBits(int driveType) { return driveType == 1 || driveType == 3; }

}  // namespace

std::optional<std::string> refusal(std::string_view name) {
  const int type = driveContext().driveType;
  if (name == kReadOnly) return std::string(name) + " is read only";
  if (name == kOlderFamilyOnly && type >= protocol::kFirstM7DriveType)
    return std::string(name) + " is not written on drive type " + std::to_string(type);
  return std::nullopt;
}

std::optional<std::string> modbusRefusal(std::string_view name, std::int32_t displayValue) {
  if (auto r = refusal(name)) return r;
  const std::string code(name);
  if (catalogue::modbusRegister(name) < 0) return code + " has no Modbus register";
  // The register carries one word; the high word of a 32-bit parameter would be left as it
  // was and the drive would hold another number than the one asked for.
  if (catalogue::is32Bit(name))
    return code + " is a 32-bit parameter: the Modbus parameter register holds one word";
  const std::int32_t raw = catalogue::idOf(name) > 2000 ? displayValue : conversion::toRaw(name, displayValue);
  const auto key = catalogue::parseCode(name);
  const char letter = catalogue::groupLetter(name);
  const bool isSigned =
      key && catalogue::wordKind(letter, key->number, catalogue::idOfKey(*key)) == catalogue::WordKind::Signed;
  const std::int32_t lo = isSigned ? kSignedWordMin : kWordMin;
  const std::int32_t hi = isSigned ? kSignedWordMax : kWordMax;
  if (raw < lo || raw > hi)
    return code + ": " + std::to_string(displayValue) + " does not fit the Modbus register's word (drive value " +
           std::to_string(raw) + ", " + std::to_string(lo) + " to " + std::to_string(hi) + ")";
  return std::nullopt;
}

bool selectionNeedsCurrentWord(int driveType) { return keepsUpperBits(driveType); }

std::int32_t mergeSelection(std::int32_t requested, std::int32_t current, int driveType) {
  if (keepsUpperBits(driveType)) {
    if (requested >= 0 && requested <= kSelectionBits) return (current & ~kSelectionBits) | requested;
    return requested == kSelection4 ? kWord4 : kWord5;
  }
  if (requested == kSelection4) return kWord4;
  if (requested == kSelection5) return kWord5;
  return requested;
}

std::int32_t selectionOfWord(std::int32_t word) {
  const std::int32_t nibble = word & kSelectionNibble;
  return nibble == kWord4 ? kSelection4 : nibble == kWord5 ? kSelection5 : (word & kSelectionBits);
}

}  // namespace zavo::writerules
