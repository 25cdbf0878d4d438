// Experiments saved, opened and exported through the menus of the real window.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <fstream>
#include <map>

#include "main_window_fixture.h"
#include "qt/window_view.h"

namespace {

class ExperimentMenus : public MainWindowTest {
protected:
    // A magenta source with a red point, a blue destination, and a top-down banded run shifted
    // right and down, listed; XDest is retyped after the run.
    void makeBandedShiftedRun() const {
        retype("Text8", "0");
        click("cmdSetSrcBkg");
        retype("Text9", "0");
        retype("Text10", "2");
        retype("Text11", "5");
        click("cmdSetSrcPoint");
        retype("Text4", "0");
        retype("Text5", "0");
        click("cmdSetDestBkg");
        click("Check1");
        click("Check4");
        retype("Text2(2)", "2");
        retype("Text2(3)", "3");
        retype("Text1(0)", "2");
        retype("Text1(1)", "1");
        click("cmdTest");
        retype("Text1(0)", "5");
    }
};

QImage asRgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

TEST_F(ExperimentMenus, SaveThenOpenBringsBackEverythingTheWindowShowed) {
    makeBandedShiftedRun();
    const std::map<std::string, QString> saved = shownState();
    const std::string status = statusText();
    ASSERT_TRUE(status.starts_with("Ret = 3: top-down source")) << status;
    m_files.answer = scratchPath("band.dls");
    QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(m_messages.shown.empty());

    click("Check2");
    click("cmdTest");
    retype("Text7", "9");
    click("cmdSetDestBkg");
    ASSERT_NE(shownState(), saved);

    const app::frmBench* before = &form();
    m_questions.answer = ui::Answer::Discard;
    QTest::keyClick(m_window.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(m_questions.asked.size(), 1U);
    EXPECT_TRUE(m_messages.shown.empty());
    EXPECT_NE(&form(), before);
    EXPECT_EQ(shownState(), saved);
    EXPECT_EQ(statusText(), status);
    EXPECT_EQ(m_files.asked.back().suggested, scratchPath("band.dls"));
}

TEST_F(ExperimentMenus, ABrokenFileLeavesTheWindowExactlyAsItWas) {
    makeBandedShiftedRun();
    const std::map<std::string, QString> shown = shownState();
    const std::string status = statusText();
    const app::frmBench* before = &form();
    const QWidget* view = &m_window->view();
    const std::string path = scratchPath("broken.dls");
    std::ofstream(path) << "set Text1(0) 7\nclick cmdTest\nfrobnicate Text1(0)\n";
    m_files.answer = path;
    action("&Open Experiment\u2026")->trigger();
    EXPECT_EQ(m_messages.shown, std::vector<std::string>{"The experiment " + path +
                                                         " cannot be opened: line 3: unknown "
                                                         "command 'frobnicate'."});
    EXPECT_EQ(&form(), before);
    EXPECT_EQ(&m_window->view(), view);
    EXPECT_EQ(shownState(), shown);
    EXPECT_EQ(statusText(), status);
}

TEST_F(ExperimentMenus, FilesThatCannotBeReadOrWrittenAreNamed) {
    const std::string missing = scratchPath("missing/none.dls");
    const std::string folder = testing::TempDir();
    for (const std::string& path : {missing, folder}) {
        m_files.answer = path;
        action("&Open Experiment\u2026")->trigger();
    }
    m_files.answer = missing;
    action("&Save Experiment\u2026")->trigger();
    EXPECT_EQ(m_messages.shown,
              (std::vector<std::string>{
                  "The experiment " + missing + " cannot be opened: the file cannot be read.",
                  "The experiment " + folder + " cannot be opened: the file cannot be read.",
                  "The experiment cannot be saved to " + missing + "."}));
}

TEST_F(ExperimentMenus, ExportWritesTheFourPicturesAsShownNamedAfterTheExperiment) {
    retype("Text7", "0");
    click("cmdSetSrcBkg");
    click("cmdTest");
    action("Show &Geometry")->trigger();
    m_files.answer = scratchPath("run.png");
    action("&Export Pictures\u2026")->trigger();
    EXPECT_EQ(m_files.asked.back().suggested, "experiment.png");
    ASSERT_TRUE(m_messages.shown.empty());
    const std::string stem = scratchPath("run");
    const std::pair<const char*, const char*> files[] = {
        {"-source.png", "srcPic"},
        {"-source-magnified.png", "srcBigPic"},
        {"-destination.png", "destPic"},
        {"-destination-magnified.png", "destBigPic"}};
    for (const auto& [suffix, picture] : files) {
        const QImage written(QString::fromStdString(stem + suffix));
        EXPECT_EQ(asRgb(written), asRgb(widget(picture)->grab().toImage())) << suffix;
    }
    const QImage small(QString::fromStdString(stem + "-source.png"));
    EXPECT_EQ(small.size(), QSize(8, 8));
    EXPECT_EQ(small.pixel(3, 3), 0xFF00FFFFu);
    const QImage big(QString::fromStdString(stem + "-destination-magnified.png"));
    EXPECT_EQ(big.size(), QSize(64, 64));
    EXPECT_EQ(big.pixel(4, 4), 0xFFFFFFFFu);  // the dot of a written pixel
    EXPECT_EQ(big.pixel(6, 6), 0xFF00FFFFu);  // beside it, the pixel's colour
}

TEST_F(ExperimentMenus, CopyItemsPutTheReportAndThePicturesOnTheClipboard) {
    click("Check4");
    click("cmdTest");
    action("Copy &Report")->trigger();
    std::string report = form().Text3.Text();
    for (std::size_t at; (at = report.find("\r\n")) != std::string::npos;) report.erase(at, 1);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), report);
    const std::pair<const char*, const char*> copies[] = {
        {"Copy &Destination as PNG", "destBigPic"}, {"Copy &Source as PNG", "srcBigPic"}};
    for (const auto& [item, picture] : copies) {
        action(item)->trigger();
        const QMimeData* data = QApplication::clipboard()->mimeData();
        ASSERT_TRUE(data->hasFormat(QStringLiteral("image/png")));
        const QImage copied = QImage::fromData(data->data(QStringLiteral("image/png")), "PNG");
        EXPECT_EQ(asRgb(copied), asRgb(widget(picture)->grab().toImage())) << picture;
    }
}

}  // namespace
