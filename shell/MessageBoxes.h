// The one way the programmer windows show a message box: through the
// services' IMessageBoxes, which is the real box in a running programmer and
// a recorder that answers in the tests.
#pragma once

#include <string>

class QWidget;

namespace radio {

enum class MessageIcon { None, Information, Exclamation, Stop, Question };
enum class MessageButtons { Ok, OkCancel, RetryCancel, YesNo, SaveDiscardCancel };
enum class MessageResult { Ok, Cancel, Retry, Yes, No, Save, Discard };

struct MessageRequest {
    QWidget* owner = nullptr;
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    // Shows a modal box and returns the button pressed; closing the box
    // counts as Cancel, or Ok when it has only Ok.
    virtual MessageResult Show(const MessageRequest& request) = 0;
};

// The real box (QMessageBox).
class CQtMessageBoxes : public IMessageBoxes {
public:
    MessageResult Show(const MessageRequest& request) override;
};

} // namespace radio
