#pragma once

#include <QWidget>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "qt/main_window.h"
#include "qt/settings.h"
#include "shell/bench_shell.h"
#include "recording_messages.h"
#include "ui/frame.h"

// A stand-in for the person who answers the file dialog: it gives the prepared answer (none:
// cancelled) and keeps what it was asked.
class AnsweredFileDialogs : public ui::FileDialogService {
public:
    std::optional<std::string> chooseFile(const ui::FileChoice& choice) override {
        asked.push_back(choice);
        return answer;
    }
    std::optional<std::string> answer;
    std::vector<ui::FileChoice> asked;
};

// A stand-in for the person who answers the window's questions: the prepared answer, and what
// was asked.
class AnsweredQuestions : public ui::QuestionService {
public:
    ui::Answer ask(const ui::Question& question) override {
        asked.push_back(question);
        return answer;
    }
    ui::Answer answer = ui::Answer::Cancel;
    std::vector<ui::Question> asked;
};

// The whole window as the program shows it: the bench's frame with its menus and status line
// around the form, shown and active.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;

    app::frmBench& form() const { return m_shell->form(); }
    QWidget* widget(const std::string& qualifiedName) const;
    // The action of the menu item with that caption.
    QAction* action(const std::string& caption) const;
    // Focuses a text field with the caret at its end, as a click there would.
    void focusField(const std::string& qualifiedName) const;
    void click(const std::string& qualifiedName) const;
    // Replaces a field's text by typing, as a person selecting it all and typing would.
    void retype(const std::string& qualifiedName, const QString& text) const;
    // What a part of the status area shows; the account of the last run unless told.
    std::string statusText(const char* part = "account") const;
    // What every control's widget shows, by control name, read from the widgets themselves.
    std::map<std::string, QString> shownState() const;
    // A file name of its own for each test in the test's scratch folder.
    std::string scratchPath(const std::string& name) const;

    // Opens the window anew over the same settings, as a second session does.
    void reopen();

    RecordingMessages m_messages;
    AnsweredFileDialogs m_files;
    AnsweredQuestions m_questions;
    // Scratch settings of the test's own, which a second session of the window reads back.
    std::unique_ptr<qt::Settings> m_settings;
    std::unique_ptr<shell::BenchShell> m_shell;
    std::unique_ptr<qt::MainWindow> m_window;
};
