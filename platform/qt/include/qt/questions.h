#pragma once

#include <QString>

#include "ui/question.h"

class QWidget;

namespace qt {

// The window's questions: modal message boxes with the product title, the question, its detail
// and the buttons of its kind.
class Questions : public ui::QuestionService {
public:
    Questions(QString title, QWidget* parent);
    ui::Answer ask(const ui::Question& question) override;
    // The window the questions are modal over, once there is one.
    void setParent(QWidget* parent) { m_parent = parent; }

private:
    QString m_title;
    QWidget* m_parent;
};

}  // namespace qt
