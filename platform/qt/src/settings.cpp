#include "qt/settings.h"

namespace qt {
namespace {

QString keyOf(std::string_view key) {
    return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

}  // namespace

std::optional<std::string> Settings::text(std::string_view key) const {
    const QVariant value = m_settings.value(keyOf(key));
    if (!value.isValid()) return std::nullopt;
    return value.toString().toStdString();
}

void Settings::setText(std::string_view key, std::string_view value) {
    m_settings.setValue(keyOf(key), keyOf(value));
}

std::vector<std::string> Settings::list(std::string_view key) const {
    std::vector<std::string> values;
    for (const QString& value : m_settings.value(keyOf(key)).toStringList()) {
        values.push_back(value.toStdString());
    }
    return values;
}

void Settings::setList(std::string_view key, const std::vector<std::string>& values) {
    QStringList shown;
    for (const std::string& value : values) shown << QString::fromStdString(value);
    m_settings.setValue(keyOf(key), shown);
}

}  // namespace qt
