#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/message_box.h"

// Answers every message box at once and keeps its text.
class RecordingMessages : public ui::MessageBoxService {
public:
    void show(std::string_view text) override { shown.emplace_back(text); }
    std::vector<std::string> shown;
};
