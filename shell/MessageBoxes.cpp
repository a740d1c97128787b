#include "MessageBoxes.h"

#include <QMessageBox>

namespace radio {

namespace {

MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}

QMessageBox::Icon ToQt(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

MessageResult RunRealBox(const MessageRequest& request) {
    QMessageBox box(ToQt(request.icon), QString::fromStdString(request.caption),
                    QString::fromStdString(request.text), QMessageBox::NoButton, request.owner);
    switch (request.buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MessageButtons::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MessageResult::Ok;
    case QMessageBox::Retry:
        return MessageResult::Retry;
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    default:
        break;
    }
    return request.buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel;
}

} // namespace

MessageResult ShowMessageBox(QWidget* owner, std::string_view text, std::string_view caption,
                             MessageIcon icon, MessageButtons buttons) {
    const MessageRequest request{owner, std::string(text), std::string(caption), icon, buttons};
    if (Handler()) {
        return Handler()(request);
    }
    return RunRealBox(request);
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    MessageHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

} // namespace radio
