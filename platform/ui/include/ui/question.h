#pragma once

#include <string>

namespace ui {

// The answers a question may get; which of them it offers depends on its kind.
enum class Answer { Save, Discard, Replace, Cancel };

// A modal question with the product title as its caption. Unsaved work offers Save, Discard and
// Cancel, Save the default; an overwrite offers Replace and Cancel, Cancel the default. Closing
// the question without a button answers Cancel.
struct Question {
    enum class Kind { UnsavedWork, Overwrite };
    Kind kind = Kind::UnsavedWork;
    std::string text;    // the question
    std::string detail;  // one or two sentences below it
};

// A person answers a question in the window; a test answers it with a stand-in.
class QuestionService {
public:
    virtual ~QuestionService() = default;
    virtual Answer ask(const Question& question) = 0;
};

}  // namespace ui
