#pragma once

#include <string_view>

namespace ui {

// Shows a modal message with an OK button only, no icon and the product title as its caption, and
// returns when it has been answered. A person answers it in the window; a script answers it itself.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual void show(std::string_view text) = 0;
};

}  // namespace ui
