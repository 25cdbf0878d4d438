#include "qt/message_box.h"

#include <QMessageBox>
#include <utility>

namespace qt {

MessageBox::MessageBox(QString title, QWidget* parent)
    : m_title(std::move(title)), m_parent(parent) {}

void MessageBox::show(std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, m_title,
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    QMessageBox::Ok, m_parent);
    box.exec();
}

}  // namespace qt
