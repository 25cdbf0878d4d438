#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// What the program keeps from one session to the next, by key: texts and lists of texts. A front
// end keeps them where the desktop keeps a program's settings.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> text(std::string_view key) const = 0;
    virtual void setText(std::string_view key, std::string_view value) = 0;
    virtual std::vector<std::string> list(std::string_view key) const = 0;
    virtual void setList(std::string_view key, const std::vector<std::string>& values) = 0;
};

}  // namespace ui
