#pragma once

namespace shell {

// What the bench keeps from one session to the next.
inline constexpr const char* kRecentFilesSetting = "recentFiles";
inline constexpr const char* kShowGeometrySetting = "showGeometry";
inline constexpr const char* kLastFolderSetting = "lastFolder";

}  // namespace shell
