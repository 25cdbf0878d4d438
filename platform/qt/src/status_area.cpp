#include "status_area.h"

#include <QLabel>
#include <algorithm>

namespace qt {

StatusArea::StatusArea(const ui::Frame& frame, QWidget* parent) : QWidget(parent), m_frame(frame) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setFixedHeight(frame.statusLines() * fontMetrics().lineSpacing());
    for (const ui::StatusPart& part : frame.statusParts()) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromStdString(part.name));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_labels.push_back(label);
        showPart(part);
    }
}

QLabel* StatusArea::label(std::string_view name) const {
    const auto& parts = m_frame.statusParts();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (parts[i].name == name) return m_labels[i];
    }
    return nullptr;
}

void StatusArea::showPart(const ui::StatusPart& part) {
    QLabel* shown = label(part.name);
    if (shown == nullptr) return;
    shown->setText(QString::fromStdString(part.text));
    shown->setToolTip(QString::fromStdString(part.detail.empty() ? part.text : part.detail));
    layOut();
}

void StatusArea::resizeEvent(QResizeEvent*) {
    layOut();
}

void StatusArea::layOut() {
    int top = 0;
    for (QLabel* label : m_labels) {
        const int wanted = label->text().isEmpty() ? 0 : label->heightForWidth(width());
        const int height = std::clamp(wanted, 0, std::max(this->height() - top, 0));
        label->setGeometry(0, top, width(), height);
        label->setVisible(height > 0);
        top += height;
    }
}

}  // namespace qt
