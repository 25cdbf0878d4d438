#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "window_fixture.h"

namespace {

class EventsTest : public WindowTest {
protected:
    std::string shown(const std::string& label) const {
        return static_cast<QLabel*>(widget(label))->text().toStdString();
    }
    void clickCheckBox(const std::string& name) const {
        QWidget* box = widget(name);
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
    }
    QPlainTextEdit* report() const { return static_cast<QPlainTextEdit*>(widget("Text3")); }
};

TEST_F(EventsTest, SourceTopDownSwapsOnlyTheSourceRowLabels) {
    clickCheckBox("Check1");
    EXPECT_TRUE(static_cast<QCheckBox*>(widget("Check1"))->isChecked());
    EXPECT_EQ(m_form->Check1.Value(), 1);
    EXPECT_EQ(shown("Label12"), "1");
    EXPECT_EQ(shown("Label11"), "8");
    EXPECT_EQ(shown("Label14"), "8");
    EXPECT_EQ(shown("Label13"), "1");
    clickCheckBox("Check1");
    EXPECT_EQ(m_form->Check1.Value(), 0);
    EXPECT_EQ(shown("Label12"), "8");
    EXPECT_EQ(shown("Label11"), "1");
}

TEST_F(EventsTest, DestinationTopDownSwapsOnlyTheDestinationRowLabels) {
    clickCheckBox("Check2");
    EXPECT_EQ(shown("Label14"), "1");
    EXPECT_EQ(shown("Label13"), "8");
    EXPECT_EQ(shown("Label12"), "8");
    EXPECT_EQ(shown("Label11"), "1");
    clickCheckBox("Check2");
    EXPECT_EQ(shown("Label14"), "8");
    EXPECT_EQ(shown("Label13"), "1");
}

TEST_F(EventsTest, SpaceBarTogglesTheFocusedCheckBox) {
    focus("Check1");
    QTest::keyClick(widget("Check1"), Qt::Key_Space);
    EXPECT_EQ(m_form->Check1.Value(), 1);
    EXPECT_EQ(shown("Label12"), "1");
}

TEST_F(EventsTest, DoubleClickEmptiesTheReportBoxAtOnce) {
    m_form->Text3.appendText("first\r\n");
    m_form->Text3.appendText("second\r\n");
    ASSERT_EQ(report()->toPlainText().toStdString(), "first\nsecond\n");
    QTest::mouseDClick(report()->viewport(), Qt::LeftButton);
    EXPECT_TRUE(report()->toPlainText().isEmpty());
    EXPECT_TRUE(m_form->Text3.Text().empty());
    QTest::mouseDClick(report()->viewport(), Qt::LeftButton);
    EXPECT_TRUE(m_form->Text3.Text().empty());
}

TEST_F(EventsTest, AppendingExtendsTheReportWithoutReplacingIt) {
    m_form->Text3.appendText("Src\r");
    QSignalSpy changes(report()->document(), &QTextDocument::contentsChange);
    m_form->Text3.appendText("\nDst\r\n");
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).toInt(), 4);  // position: the end of "Src\n"
    EXPECT_EQ(changes.at(0).at(1).toInt(), 0);  // nothing removed
    EXPECT_EQ(report()->toPlainText().toStdString(), "Src\nDst\n");
    EXPECT_EQ(m_form->Text3.Text(), "Src\r\nDst\r\n");
}

TEST_F(EventsTest, MessageBoxIsModalWithTextOkOnlyNoIconAndTheProductTitle) {
    bool answered = false;
    QTimer::singleShot(0, [&answered] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text().toStdString(), "Failed to create DIB Section!");
        EXPECT_EQ(box->windowTitle().toStdString(), "DIB Lab");
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        ASSERT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(box->standardButton(box->buttons().front()), QMessageBox::Ok);
        answered = true;
        QTest::mouseClick(box->buttons().front(), Qt::LeftButton);
    });
    m_form->MsgBox("Failed to create DIB Section!");
    EXPECT_TRUE(answered);
}

TEST_F(EventsTest, PicturesShowTheirImageOneToOne) {
    const RECT corner{0, 0, 8, 8};
    HBRUSH red = CreateSolidBrush(0x000000FF);
    FillRect(m_form->srcBigPic.hDC(), &corner, red);
    DeleteObject(red);
    m_form->srcBigPic.Refresh();
    const QImage shown = widget("srcBigPic")->grab().toImage();
    ASSERT_EQ(shown.size(), QSize(64, 64));
    EXPECT_EQ(shown.pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(shown.pixel(7, 7), 0xFFFF0000u);
    EXPECT_EQ(shown.pixel(8, 7), 0xFFFFFFFFu);
    EXPECT_EQ(shown.pixel(7, 8), 0xFFFFFFFFu);
    EXPECT_EQ(shown.pixel(63, 63), 0xFFFFFFFFu);
}

TEST_F(EventsTest, ShowingAPictureLeavesItsImageUntouched) {
    m_form->srcPic.Refresh();
    m_window->repaint();
    ASSERT_EQ(ui::imagePixels(m_form->srcPic).size(), 64u);
    for (const std::uint32_t pixel : ui::imagePixels(m_form->srcPic)) EXPECT_EQ(pixel, 0x00FFFFFFu);
}

}  // namespace
