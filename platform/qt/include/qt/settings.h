#pragma once

#include <QSettings>

#include "ui/settings.h"

namespace qt {

// The settings as QSettings keeps them: in the desktop's place for the application's
// organisation and name, which the program sets before making one, or in a file of its own.
class Settings : public ui::SettingsStore {
public:
    Settings() = default;
    // Settings kept in an INI file of their own, as a test keeps scratch settings.
    explicit Settings(const QString& file) : m_settings(file, QSettings::IniFormat) {}

    std::optional<std::string> text(std::string_view key) const override;
    void setText(std::string_view key, std::string_view value) override;
    std::vector<std::string> list(std::string_view key) const override;
    void setList(std::string_view key, const std::vector<std::string>& values) override;

private:
    QSettings m_settings;
};

}  // namespace qt
