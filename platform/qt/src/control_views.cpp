#include "control_views.h"

#include "fonts.h"

namespace qt {

void applyPlacement(const ui::Control& control, QWidget& widget) {
    widget.setGeometry(control.Left, control.Top, control.Width, control.Height);
    widget.setToolTip(QString::fromStdString(control.ToolTipText));
    if (!control.font.name.empty()) widget.setFont(fontFor(control.font));
}

Qt::Alignment qtAlignment(ui::Alignment alignment) {
    switch (alignment) {
        case ui::Alignment::Right:
            return Qt::AlignRight;
        case ui::Alignment::Center:
            return Qt::AlignHCenter;
        case ui::Alignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

LabelView::LabelView(ui::Label& label, QWidget* parent) : QLabel(parent), m_label(label) {
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    m_label.onChanged = [this] { sync(); };
    sync();
}

LabelView::~LabelView() {
    m_label.onChanged = nullptr;
}

void LabelView::sync() {
    applyPlacement(m_label, *this);
    setAlignment(qtAlignment(m_label.alignment) | Qt::AlignTop);
    setText(QString::fromStdString(m_label.Caption()));
}

CheckBoxView::CheckBoxView(ui::CheckBox& checkBox, QWidget* parent)
    : QCheckBox(parent), m_checkBox(checkBox) {
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QCheckBox::clicked, this, [this] { m_checkBox.click(); });
    m_checkBox.onChanged = [this] { sync(); };
    sync();
}

CheckBoxView::~CheckBoxView() {
    m_checkBox.onChanged = nullptr;
}

void CheckBoxView::sync() {
    applyPlacement(m_checkBox, *this);
    setText(QString::fromStdString(m_checkBox.Caption()));
    setChecked(m_checkBox.Value() == 1);
}

ButtonView::ButtonView(ui::CommandButton& button, QWidget* parent)
    : QPushButton(parent), m_button(button) {
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { m_button.click(); });
    m_button.onChanged = [this] { sync(); };
    sync();
}

ButtonView::~ButtonView() {
    m_button.onChanged = nullptr;
}

void ButtonView::sync() {
    applyPlacement(m_button, *this);
    setText(QString::fromStdString(m_button.Caption()));
}

// A Windows text box draws its text a pixel inside a thin border; Qt's frame and inner margin
// take more, so that "-32768" would not fit a call field. The view gives one pixel of each inner
// margin back and draws the characters half a pixel closer, in the same face and size.
constexpr int kMarginGivenBack = 1;
constexpr qreal kTighterLetters = -0.5;

LineEditView::LineEditView(ui::TextBox& textBox, QWidget* parent)
    : QLineEdit(parent), m_textBox(textBox) {
    setFocusPolicy(Qt::StrongFocus);
    setTextMargins(-kMarginGivenBack, 0, -kMarginGivenBack, 0);
    connect(this, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_textBox.setText(text.toStdString()); });
    m_textBox.onChanged = [this] { sync(); };
    sync();
}

LineEditView::~LineEditView() {
    m_textBox.onChanged = nullptr;
}

void LineEditView::sync() {
    applyPlacement(m_textBox, *this);
    QFont tight = font();
    tight.setLetterSpacing(QFont::AbsoluteSpacing, kTighterLetters);
    setFont(tight);
    setAlignment(qtAlignment(m_textBox.alignment) | Qt::AlignVCenter);
    const QString text = QString::fromStdString(m_textBox.Text());
    if (text != this->text()) setText(text);
}

}  // namespace qt
