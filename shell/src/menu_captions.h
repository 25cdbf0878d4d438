#pragma once

namespace shell {

// Captions of the menu items the shell reads or changes after building its menus.
inline constexpr const char* kShowGeometry = "Show &Geometry";
inline constexpr const char* kUndo = "&Undo";
inline constexpr const char* kRedo = "&Redo";
inline constexpr const char* kRecentMenu = "&File > Open &Recent";
inline constexpr const char* kNoRecentFiles = "No Recent Experiments";

}  // namespace shell
