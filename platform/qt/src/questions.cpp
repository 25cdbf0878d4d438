#include "qt/questions.h"

#include <QMessageBox>
#include <QPushButton>
#include <utility>

#include "modal.h"

namespace qt {
namespace {

QMessageBox::StandardButtons buttonsOf(ui::Question::Kind kind) {
    if (kind == ui::Question::Kind::Overwrite) return QMessageBox::Yes | QMessageBox::Cancel;
    return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
}

ui::Answer answerOf(int button) {
    switch (button) {
        case QMessageBox::Save:
            return ui::Answer::Save;
        case QMessageBox::Discard:
            return ui::Answer::Discard;
        case QMessageBox::Yes:
            return ui::Answer::Replace;
        default:
            return ui::Answer::Cancel;
    }
}

}  // namespace

Questions::Questions(QString title, QWidget* parent)
    : m_title(std::move(title)), m_parent(parent) {}

ui::Answer Questions::ask(const ui::Question& question) {
    const bool overwrite = question.kind == ui::Question::Kind::Overwrite;
    QMessageBox box(overwrite ? QMessageBox::Warning : QMessageBox::Question, m_title,
                    QString::fromStdString(question.text), buttonsOf(question.kind), m_parent);
    box.setInformativeText(QString::fromStdString(question.detail));
    box.setDefaultButton(overwrite ? QMessageBox::Cancel : QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    if (overwrite) box.button(QMessageBox::Yes)->setText(QMessageBox::tr("&Replace"));
    return answerOf(runModal(box));
}

}  // namespace qt
