#include "app/version_caption.h"

namespace app {

std::string versionCaption(std::string_view designCaption, int major, int minor, int revision) {
    std::string caption(designCaption);
    caption += " Ver. ";
    caption += std::to_string(major);
    caption += '.';
    caption += std::to_string(minor);
    caption += '.';
    caption += std::to_string(revision);
    return caption;
}

}  // namespace app
