#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <utility>

#include "app/version.h"
#include "qtui/application.h"
#include "qtui/file_dialogs.h"
#include "qtui/main_window.h"
#include "qtui/message_box.h"
#include "shell/bench_shell.h"

namespace {

// Saves a picture of the window once it has been painted for the first time, then ends the
// program: the run script uses it where there is no display to look at.
class ScreenshotOnFirstPaint : public QObject {
public:
    ScreenshotOnFirstPaint(QWidget& window, QString file)
        : m_window(window), m_file(std::move(file)) {
        m_window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_taken) {
            m_taken = true;
            QTimer::singleShot(0, this, [this] { saveAndQuit(); });
        }
        return false;
    }

private:
    void saveAndQuit() {
        if (!m_window.grab().save(m_file, "PNG")) {
            std::fprintf(stderr, "diblab: cannot write %s\n", qPrintable(m_file));
            QCoreApplication::exit(1);
            return;
        }
        QCoreApplication::quit();
    }

    QWidget& m_window;
    QString m_file;
    bool m_taken = false;
};

// Without a person to answer them, as when a screenshot is taken, messages go to standard error.
class PrintedMessages : public ui::MessageBoxService {
public:
    void show(std::string_view text) override {
        std::fprintf(stderr, "diblab: %.*s\n", int(text.size()), text.data());
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kProductTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersionString));
    qtui::setUpApplication();

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Studies how SetDIBitsToDevice copies a device-independent bitmap."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Show the window, save a PNG picture of it as FILE once painted, and exit."),
        QStringLiteral("FILE"));
    parser.addOption(screenshot);
    parser.addPositionalArgument(QStringLiteral("experiment"),
                                 QStringLiteral("An experiment file (.dls) to open at start."),
                                 QStringLiteral("[FILE.dls]"));
    parser.process(application);

    qtui::MessageBox messageBox(QString::fromLatin1(kProductTitle), nullptr);
    PrintedMessages printedMessages;
    qtui::FileDialogs files(nullptr);
    shell::BenchShell shell(parser.isSet(screenshot)
                                ? static_cast<ui::MessageBoxService&>(printedMessages)
                                : messageBox,
                            files);
    qtui::MainWindow window(shell.frame());
    messageBox.setParent(&window);
    files.setParent(&window);

    std::unique_ptr<ScreenshotOnFirstPaint> screenshotTaker;
    if (parser.isSet(screenshot)) {
        screenshotTaker =
            std::make_unique<ScreenshotOnFirstPaint>(window, parser.value(screenshot));
    }
    window.show();
    if (!parser.positionalArguments().isEmpty()) {
        shell.openExperiment(parser.positionalArguments().front().toStdString());
    }
    return QApplication::exec();
}
