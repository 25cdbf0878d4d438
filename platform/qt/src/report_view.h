#pragma once

#include <QPlainTextEdit>
#include <string>
#include <string_view>

#include "ui/controls.h"

namespace qt {

// A multi-line text box without wrapping and with both scroll bars. Appended text is added at the
// end of the document, so a growing report never re-lays out what is already shown. The control
// keeps Windows line breaks (CR LF); the view shows each as one line break.
class ReportView : public QPlainTextEdit {
public:
    ReportView(ui::TextBox& textBox, QWidget* parent);
    ~ReportView() override;

private:
    void sync();
    void append(std::string_view text);
    void takeUserEdit();
    QString displayText(std::string_view text);

    ui::TextBox& m_textBox;
    bool m_updating = false;
    bool m_endsWithCarriageReturn = false;
};

}  // namespace qt
