#include "qt/message_box.h"

#include <QMessageBox>
#include <utility>

#include "modal.h"

namespace qt {
namespace {

// A word longer than this, such as a path or a text quoted from a binary file, may be broken
// anywhere; the box then stays narrower than the window.
constexpr qsizetype kLongestUnbrokenWord = 30;
constexpr QChar kZeroWidthSpace(0x200B);

// The text with a line break opportunity, an invisible zero-width space, between the characters
// of every over-long word, so that the box wraps such a word instead of growing to its width.
QString breakableText(const QString& text) {
    QString breakable;
    breakable.reserve(text.size());
    qsizetype wordStart = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !text[i].isSpace()) continue;
        const QStringView word = QStringView(text).mid(wordStart, i - wordStart);
        if (word.size() <= kLongestUnbrokenWord) {
            breakable += word;
        } else {
            for (qsizetype c = 0; c < word.size(); ++c) {
                if (c > 0 && !word[c].isLowSurrogate()) breakable += kZeroWidthSpace;
                breakable += word[c];
            }
        }
        if (i < text.size()) breakable += text[i];
        wordStart = i + 1;
    }
    return breakable;
}

}  // namespace

MessageBox::MessageBox(QString title, QWidget* parent)
    : m_title(std::move(title)), m_parent(parent) {}

void MessageBox::show(std::string_view text) {
    const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QMessageBox box(QMessageBox::NoIcon, m_title, breakableText(shown), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    runModal(box);
}

}  // namespace qt
