#pragma once
// Resource and string ids of the application shell. Each id has its one definition here.

namespace zavo {

// Resources.
inline constexpr int kIdrMainFrame = 128;  // main frame, tool bar and icon
inline constexpr int kIdrDocTemplate = 129;
inline constexpr int kIddAbout = 100;
inline constexpr int kIdcAboutVersion = 1097;

// Strings.
inline constexpr int kIdsAppTitle = 128;
inline constexpr int kIdsTitleType0 = 62116;  // window titles by drive type: 0, 1, 2, other
inline constexpr int kIdsHelpNameType0 = 62133;  // help file names by drive type: 0, 1, 2, other
inline constexpr int kIdsCommunicateError = 61681;
inline constexpr int kIdsFileFilter = 61688;

// Brands by the application title.
enum class Brand { Zavo = 0, Corvina = 1, Pelmar = 2 };

}  // namespace zavo
