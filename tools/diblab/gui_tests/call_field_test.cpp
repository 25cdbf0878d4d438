// The call fields as the window draws them: their whole text in view for every value they take.

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include "window_fixture.h"

namespace {

// The room a line edit leaves its text: the style's contents rectangle less the text margins and
// the two pixels Qt keeps clear on each side inside it.
int textRoom(const QLineEdit& field) {
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.lineWidth =
        field.hasFrame() ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field)
                         : 0;
    const QRect contents =
        field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field);
    const QMargins margins = field.textMargins();
    constexpr int kQtInnerMargin = 2;
    return contents.width() - margins.left() - margins.right() - 2 * kQtInnerMargin;
}

// Every whole number the call fields accept, -32768 to 32767, shows whole in each of the eight
// fields, which keep their designed place and size.
TEST_F(WindowTest, EveryCallFieldShowsTheWidestNumberItAcceptsWhole) {
    for (const ui::TextBox* arguments : {m_form->Text1.data(), m_form->Text2.data()}) {
        for (int i = 0; i < 4; ++i) {
            const ui::TextBox& box = arguments[i];
            auto* field = static_cast<QLineEdit*>(widget(box));
            EXPECT_EQ(field->geometry(), QRect(box.Left, box.Top, box.Width, box.Height));
            const QFontMetrics metrics(field->font());
            int widest = 0;
            QString widestText;
            for (int value = -32768; value <= 32767; ++value) {
                const QString text = QString::number(value);
                if (metrics.horizontalAdvance(text) > widest) {
                    widest = metrics.horizontalAdvance(text);
                    widestText = text;
                }
            }
            EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("-32768")), textRoom(*field))
                << box.qualifiedName();
            EXPECT_LE(widest, textRoom(*field))
                << box.qualifiedName() << ": " << widestText.toStdString();
        }
    }
}

}  // namespace
