#include "qt/file_dialogs.h"

#include <QFileDialog>

#include "modal.h"

namespace qt {

std::optional<std::string> FileDialogs::chooseFile(const ui::FileChoice& choice) {
    QFileDialog dialog(m_parent, QString::fromStdString(choice.title));
    const bool saving = choice.purpose == ui::FileChoice::Purpose::Save;
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(QString::fromStdString(choice.filter));
    dialog.setDefaultSuffix(QString::fromStdString(choice.suffix));
    if (!choice.suggested.empty()) dialog.selectFile(QString::fromStdString(choice.suggested));
    if (runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace qt
