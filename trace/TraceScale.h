#pragma once
// The vertical scale of one trace: which entry of the scale list is chosen, the units one
// division stands for (U), where the slider stands and the value at the top edge of the plot
// (the half span H, 5 × U for a centred trace). Moving a trace one division moves the slider
// one step and H by one U; AUTO picks U from the largest sample.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zavo::trace {

// Entries of the scale list: "AUTO" (index 0, not in Monitor mode), then 1 to 10000.
inline constexpr int kScaleAuto = 0;
inline constexpr int kScaleEntries = 15;
// Units a division stands for when nothing better is known (an unlisted U, an unlisted entry).
inline constexpr int kFallbackUnits = 100;
// Divisions of the plot from the top edge to the bottom edge, and from the top to the zero
// line of a centred trace.
inline constexpr int kDivisions = 10;
inline constexpr int kHalfDivisions = kDivisions / 2;

struct ChannelScale {
  std::int32_t selection = kScaleAuto;  // entry of the scale list
  std::int32_t units = 1;               // U
  std::int32_t slider = 0;
  std::int32_t halfSpan = kHalfDivisions;  // H, the value at the top edge
  friend bool operator==(const ChannelScale&, const ChannelScale&) = default;
};

// U of list entry `selection` (1-14); any other entry gives 100.
int unitsOfSelection(int selection);
// Whether U is one of the list's values.
bool isListedUnits(int units);
// The entry of the list whose value is `units` (the fallback's entry when none is).
int selectionOfUnits(int units);
// The combo's texts: "AUTO" when `withAuto`, then "1" to "10000".
std::vector<std::string> scaleEntries(bool withAuto);

// The largest absolute value of `samples`, at least 1.
std::int64_t largestMagnitude(std::span<const std::int32_t> samples);
// AUTO: 1, raised to 5, 10, 50, 100, 500, 1000, 4000, 5000 and 10000 as m passes each.
int autoUnits(std::int64_t m);

// The slider runs from 0 to full span / U × 2 − 10; its centre is the neutral position, where
// H = 5 × U. The full span is what ten divisions of the coarsest scale hold, so that any trace
// can be moved wholly off the plot at any scale.
int sliderMax(int units);
int sliderCentre(int units);
// H for slider position `slider` at `units`, and the slider position that gives H.
std::int64_t halfSpanAt(int units, int slider);
int sliderFor(int units, std::int64_t halfSpan);

// The centred scale of list entry `selection` at `units`.
ChannelScale centred(int selection, int units);
// One division up (the trace rises: slider + 1, H − U) or down; false at the slider's end.
bool moveUp(ChannelScale& s);
bool moveDown(ChannelScale& s);
// The slider dragged to `slider` (held in its range).
void setSlider(ChannelScale& s, int slider);

// Pixels below the top edge at which value `v` is drawn.
double yOf(double v, const ChannelScale& s, double divisionPx);
// The value a line `y` pixels below the top edge stands for.
double valueAt(double y, const ChannelScale& s, double divisionPx);

}  // namespace zavo::trace
