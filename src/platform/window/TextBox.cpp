#include "platform/window/TextBox.h"

#include <QMessageBox>

#include "platform/window/Window.h"

namespace win {

TextBox::TextBox(Window* owner, std::string caption, std::string text)
    : owner_(owner), caption_(std::move(caption)), text_(std::move(text)) {}

int TextBox::Show() {
    QWidget* parent = owner_ ? owner_->Widget() : nullptr;
    QMessageBox box(kind_ == Kind::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                    QString::fromStdString(caption_), QString::fromStdString(text_),
                    QMessageBox::Ok, parent);
    box.setObjectName(kind_ == Kind::Error ? QStringLiteral("ErrorBox")
                                           : QStringLiteral("TextBox"));
    if (!details_.empty()) box.setDetailedText(QString::fromStdString(details_));
    box.exec();
    return 1;
}

}  // namespace win
