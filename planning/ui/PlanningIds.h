#pragma once
// Resource and control ids of the planning dialogs.

namespace zavo::planning {

// DI/DO Contact Set Property (183) and its planning grid (223).
inline constexpr int kIddContactPlanning = 183;
inline constexpr int kIdcInputsPage = 1034;
inline constexpr int kIdcOutputsPage = 1035;
inline constexpr int kIdcGridPlaceholder = 1098;
inline constexpr int kIddPlanningGrid = 223;
// Cell (column, row) of the grid: first id + column × 37 + row, inputs and outputs apart.
inline constexpr int kIdcFirstInputCell = 1168;
inline constexpr int kIdcFirstOutputCell = 1649;
inline constexpr int kCellIdsPerColumn = 37;
// The cell images: empty, level 1, level 0.
inline constexpr int kIdbCellEmpty = 224;
inline constexpr int kIdbCellLevel1 = 225;
inline constexpr int kIdbCellLevel0 = 226;
inline constexpr int kInputCellWidth = 51;
inline constexpr int kOutputCellWidth = 153;
inline constexpr int kCellHeight = 21;

// Internal Position Command Programming: 224 on drive types 0 and 1, 281 with its pages 282
// (paths 1-16) and 283 (paths 17-32) on types 2-4.
inline constexpr int kIddPositionProgram16 = 224;
inline constexpr int kIddPositionProgram32 = 281;
inline constexpr int kIddFirstPathsPage = 282;
inline constexpr int kIddSecondPathsPage = 283;
inline constexpr int kIdcAbsolute = 1034;
inline constexpr int kIdcRelative = 1035;
inline constexpr int kIdcFromPhold = 1036;
inline constexpr int kIdcCurrentSelection = 1037;
inline constexpr int kIdcPathTabs = 1095;
inline constexpr int kIdcSmoothing = 1040;
// The edits of path row r (0-15 within its grid or page).
inline constexpr int kIdcFirstRotation = 1100;
inline constexpr int kIdcFirstPulse = 1120;
inline constexpr int kIdcFirstSpeed = 1140;

}  // namespace zavo::planning
