#pragma once
// The resonance notch filter page without its window: the first notch filter (Cn013 frequency,
// Cn014 quality factor) checked and written to the drive through its store window, as the
// mechanical analysis finds a resonance.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zavo {

class CZavoServoDoc;
class DriveOperations;

inline constexpr int kIddNotchFilter = 229;
inline constexpr int kIdcNotchFrequency = 1155;
inline constexpr int kIdcNotchQuality = 1156;
inline constexpr int kNotchFrequencyChars = 4;
inline constexpr int kNotchQualityChars = 3;

class NotchFilterPage {
 public:
  enum class Outcome { Written, NoLink, FrequencyOutOfRange, QualityOutOfRange, Failed };

  static constexpr std::int32_t kDefaultQuality = 7;

  NotchFilterPage(DriveOperations& ops, CZavoServoDoc& doc, std::int32_t frequency = 0,
                  std::int32_t quality = kDefaultQuality);

  // The fields as the page opens: the frequency no higher than the filter takes.
  std::string frequencyText() const;
  std::string qualityText() const;

  // The check of the two texts alone: the refusal, or nothing when both hold.
  static std::optional<Outcome> refusal(std::string_view frequency, std::string_view quality);

  // Write: both texts checked, both values into the document, then each stored through the
  // window and written directly. Every refusal and failure is said in its own box.
  Outcome write(std::string_view frequency, std::string_view quality);

 private:
  bool writeOne(std::string_view code, std::int32_t value);

  DriveOperations& ops_;
  CZavoServoDoc& doc_;
  std::int32_t frequency_;
  std::int32_t quality_;
};

}  // namespace zavo
