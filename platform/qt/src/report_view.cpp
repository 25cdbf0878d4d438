#include "report_view.h"

#include <QScrollBar>
#include <QTextCursor>

#include "control_views.h"

namespace qt {

ReportView::ReportView(ui::TextBox& textBox, QWidget* parent)
    : QPlainTextEdit(parent), m_textBox(textBox) {
    setFocusPolicy(Qt::StrongFocus);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    // Every append would otherwise stay on the undo stack for the life of the window.
    setUndoRedoEnabled(false);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { takeUserEdit(); });
    m_textBox.onChanged = [this] { sync(); };
    m_textBox.onAppended = [this](std::string_view text) { append(text); };
    sync();
}

ReportView::~ReportView() {
    m_textBox.onChanged = nullptr;
    m_textBox.onAppended = nullptr;
}

void ReportView::sync() {
    applyPlacement(m_textBox, *this);
    m_endsWithCarriageReturn = false;
    const QString text = displayText(m_textBox.Text());
    if (text == toPlainText()) return;
    m_updating = true;
    setPlainText(text);
    m_updating = false;
}

// Each listing arrives as one piece; the view scrolls its first line to the top (as far as the
// scroll bar goes), so that after a run the newest listing is the one in view from its start.
void ReportView::append(std::string_view text) {
    m_updating = true;
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    const int firstLine = end.blockNumber();
    end.insertText(displayText(text));
    m_updating = false;
    verticalScrollBar()->setValue(firstLine);
}

void ReportView::takeUserEdit() {
    if (m_updating) return;
    std::string text = toPlainText().toStdString();
    std::string windowsText;
    windowsText.reserve(text.size());
    for (const char character : text) {
        if (character == '\n') windowsText.push_back('\r');
        windowsText.push_back(character);
    }
    m_textBox.setText(std::move(windowsText));
}

// CR LF, a lone CR and a lone LF each become one line break. A CR that ends one piece of text
// already counts as the break, so an LF that starts the next piece is its second half.
QString ReportView::displayText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (const char character : text) {
        const bool secondHalf = character == '\n' && m_endsWithCarriageReturn;
        m_endsWithCarriageReturn = character == '\r';
        if (secondHalf) continue;
        shown.push_back(character == '\r' ? '\n' : character);
    }
    return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
}

}  // namespace qt
