#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "product/command_line.h"
#include "product/standard_streams.h"
#include "qt/application.h"
#include "qt/file_dialogs.h"
#include "qt/main_window.h"
#include "qt/message_box.h"
#include "qt/questions.h"
#include "qt/settings.h"
#include "shell/bench_shell.h"

namespace {

constexpr std::string_view kProgram = "diblab";

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
        if (const std::optional<QString> problem = savePicture()) {
            const std::string failure = "cannot write " + m_file.toLocal8Bit().toStdString();
            std::cerr << product::failureText(kProgram, failure, problem->toStdString());
            QCoreApplication::exit(product::kFailureStatus);
            return;
        }
        QCoreApplication::quit();
    }

    // Returns why the picture could not be written, if it could not. It is encoded in memory
    // first, so that a failed write has one message: this program's.
    std::optional<QString> savePicture() const {
        QByteArray picture;
        QBuffer encoded(&picture);
        if (!m_window.grab().save(&encoded, "PNG")) {
            return QStringLiteral("the window cannot be encoded as PNG");
        }
        QFile file(m_file);
        if (!file.open(QIODevice::WriteOnly) || file.write(picture) != picture.size() ||
            !file.flush()) {
            return file.errorString();
        }
        return std::nullopt;
    }

    QWidget& m_window;
    QString m_file;
    bool m_taken = false;
};

constexpr std::string_view kHelp = R"(Usage: diblab [--screenshot FILE] [EXPERIMENT.dls]
       diblab --help | --version

Opens the DIB Lab window, a bench for studying how the Windows GDI call SetDIBitsToDevice copies
a device-independent bitmap onto a device context. With EXPERIMENT.dls, an experiment saved from
the window (File > Save Experiment), the window opens it at start as File > Open Experiment does.

  --screenshot FILE  show the window, save a PNG picture of it as FILE once it has been painted,
                     and exit; messages go to standard error instead of a message box
  --help             print this text and exit
  --version          print the program's name and version and exit

Unknown options print a usage note and exit with status 2. A screenshot or an answer that cannot
be written gives one line on standard error naming it and exit status 1.
)";

struct StartOptions {
    std::optional<std::string_view> screenshot;
    std::optional<std::string_view> experiment;
};

// Reads the command line before Qt starts, so that --help, --version and usage errors need no
// display. Returns the exit status when the program is to end at once.
std::optional<int> readCommandLine(int argc, char* argv[], StartOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        std::string problem;
        if (argument == "--help") {
            std::cout << kHelp;
            return 0;
        } else if (argument == "--version") {
            std::cout << product::versionText(kProgram);
            return 0;
        } else if (argument == "--screenshot" && i + 1 < argc) {
            options.screenshot = argv[++i];
        } else if (argument.starts_with("--screenshot=") && argument != "--screenshot=") {
            options.screenshot = argument.substr(argument.find('=') + 1);
        } else if (argument == "--screenshot" || argument == "--screenshot=") {
            problem = "option '--screenshot' needs a FILE";
        } else if (argument.starts_with("-")) {
            problem = "unknown option '" + std::string(argument) + "'";
        } else if (!options.experiment) {
            options.experiment = argument;
        } else {
            problem = "unexpected argument '" + std::string(argument) + "'";
        }
        if (!problem.empty()) {
            std::cerr << product::usageErrorText(kProgram, problem);
            return product::kUsageErrorStatus;
        }
    }
    return std::nullopt;
}

// Without a person to answer them, as when a screenshot is taken, messages go to standard error.
class PrintedMessages : public ui::MessageBoxService {
public:
    void show(std::string_view text) override {
        std::fprintf(stderr, "diblab: %.*s\n", int(text.size()), text.data());
    }
};

// Where the window stood when it last closed, brought back at start and kept at the end.
class WindowPlace {
public:
    WindowPlace(QWidget& window, ui::SettingsStore& settings)
        : m_window(window), m_settings(settings) {
        if (const std::optional<std::string> kept = m_settings.text(kKey)) {
            m_window.restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(*kept)));
        }
    }
    ~WindowPlace() { m_settings.setText(kKey, m_window.saveGeometry().toBase64().toStdString()); }
    WindowPlace(const WindowPlace&) = delete;
    WindowPlace& operator=(const WindowPlace&) = delete;

private:
    static constexpr std::string_view kKey = "windowGeometry";
    QWidget& m_window;
    ui::SettingsStore& m_settings;
};

QString fromCommandLine(std::string_view text) {
    return QString::fromLocal8Bit(QByteArrayView(text.data(), qsizetype(text.size())));
}

}  // namespace

int main(int argc, char* argv[]) {
    product::StandardStreams streams(kProgram);
    StartOptions options;
    if (const std::optional<int> status = readCommandLine(argc, argv, options)) {
        return streams.finish(*status);
    }

    // Qt sees none of the command line: it is ours alone, read above.
    int qtArgumentCount = 1;
    QApplication application(qtArgumentCount, argv);
    QApplication::setOrganizationName(QStringLiteral("diblab"));
    QApplication::setApplicationName(QString::fromLatin1(kProductTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersionString));
    qt::setUpApplication();

    qt::MessageBox messageBox(QString::fromLatin1(kProductTitle), nullptr);
    PrintedMessages printedMessages;
    qt::FileDialogs files(nullptr);
    qt::Questions questions(QString::fromLatin1(kProductTitle), nullptr);
    qt::Settings settings;
    shell::BenchShell shell(
        {options.screenshot ? static_cast<ui::MessageBoxService&>(printedMessages) : messageBox,
         files, questions, settings});
    qt::MainWindow window(shell.frame());
    messageBox.setParent(&window);
    files.setParent(&window);
    questions.setParent(&window);
    const WindowPlace place(window, settings);

    std::unique_ptr<ScreenshotOnFirstPaint> screenshotTaker;
    if (options.screenshot) {
        screenshotTaker =
            std::make_unique<ScreenshotOnFirstPaint>(window, fromCommandLine(*options.screenshot));
    }
    window.show();
    // Without a window manager nothing else gives the window the keyboard.
    window.activateWindow();
    if (options.experiment) {
        shell.openExperiment(std::string(*options.experiment));
    }
    return QApplication::exec();
}
