// The one way the programmer windows show a message box. Tests install a
// handler that answers instead of a person.
#pragma once

#include <functional>
#include <string>
#include <string_view>

class QWidget;

namespace radio {

enum class MessageIcon { None, Information, Exclamation, Stop, Question };
enum class MessageButtons { Ok, OkCancel, RetryCancel, YesNo };
enum class MessageResult { Ok, Cancel, Retry, Yes, No };

struct MessageRequest {
    QWidget* owner = nullptr;
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

using MessageHandler = std::function<MessageResult(const MessageRequest&)>;

// Shows a modal message box (or asks the installed handler) and returns the
// button pressed; closing the box counts as Cancel, or Ok when it has only Ok.
MessageResult ShowMessageBox(QWidget* owner, std::string_view text, std::string_view caption,
                             MessageIcon icon, MessageButtons buttons = MessageButtons::Ok);

// Installs a handler in place of the real box and returns the one it
// replaces; an empty handler restores the real box.
MessageHandler SetMessageHandler(MessageHandler handler);

} // namespace radio
