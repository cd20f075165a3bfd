#include "errors/ErrorDialog.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <iostream>

#include "errors/ErrorConstants.h"
#include "platform/runtime/Activation.h"

namespace errors {
namespace {

// Report texts end their lines with CR LF; the text view wants LF.
QString DisplayText(const std::string& text) {
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

bool HaveWidgets() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

}  // namespace

ErrorDialog::ErrorDialog(const std::string& text, const std::string& caption,
                         const rt::ErrorChoices& choices, QWidget* parent)
    : QDialog(parent), choices_(choices), answer_(rt::UnansweredAnswer(choices)) {
    RT_ENTER("ERRORDIALOG:INIT", text::kModule);
    setWindowTitle(QString::fromUtf8(caption.c_str()));
    setModal(true);
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    auto* body = new QHBoxLayout();
    layout->addLayout(body);
    auto* icon = new QLabel(this);
    const auto pixmap = caption == text::kCaptionWarning ? QStyle::SP_MessageBoxWarning
                                                         : QStyle::SP_MessageBoxCritical;
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(pixmap, nullptr, this).pixmap(side, side));
    icon->setAlignment(Qt::AlignTop);
    body->addWidget(icon);
    auto* report = new QPlainTextEdit(this);
    report->setObjectName(QStringLiteral("report"));
    report->setReadOnly(true);
    report->setLineWrapMode(QPlainTextEdit::NoWrap);
    report->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    report->setPlainText(DisplayText(text));
    report->setMinimumSize(560, 260);
    body->addWidget(report, 1);
    buttons_ = new QHBoxLayout();
    buttons_->addStretch(1);
    layout->addLayout(buttons_);
    if (choices.canDefault) {
        defaultButton_ = AddButton(text::kButtonDefault, rt::ErrorAnswer::Default);
    }
    if (choices.canRetry) retryButton_ = AddButton(text::kButtonRetry, rt::ErrorAnswer::Retry);
    if (choices.abort != rt::AbortOffer::None) {
        const auto answer = rt::AbortAnswer(choices.abort);
        abortButton_ = AddButton(
            answer == rt::ErrorAnswer::Abort ? text::kButtonAbort : text::kButtonQuit, answer);
    }
    QPushButton* focus =
        defaultButton_ ? defaultButton_ : (retryButton_ ? retryButton_ : abortButton_);
    if (focus) {
        focus->setDefault(true);
        focus->setFocus();
    }
}

QPushButton* ErrorDialog::AddButton(const char* caption, rt::ErrorAnswer answer) {
    RT_ENTER("ERRORDIALOG:ADDBUTTON", text::kModule);
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    button->setAutoDefault(false);
    buttons_->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, answer] {
        answer_ = answer;
        done(QDialog::Accepted);
    });
    return button;
}

void ErrorDialog::reject() {
    RT_ENTER("ERRORDIALOG:REJECT", text::kModule);
    answer_ = rt::UnansweredAnswer(choices_);
    QDialog::reject();
}

rt::ErrorAnswer ShowErrorDialog(const std::string& text, const std::string& caption,
                                const rt::ErrorChoices& choices) {
    RT_ENTER("SHOWERRORDIALOG", text::kModule);
    if (!HaveWidgets()) {
        std::cerr << caption << "\n" << text << std::flush;
        return rt::UnansweredAnswer(choices);
    }
    ErrorDialog dialog(text, caption, choices, QApplication::activeWindow());
    RT_LINE();
    dialog.exec();
    return dialog.Answer();
}

int ShowMessageBox(std::uintptr_t owner, const char* text, const char* caption,
                   std::uint32_t style) {
    RT_ENTER("SHOWMESSAGEBOX", text::kModule);
    (void)owner;
    (void)style;
    if (!HaveWidgets()) {
        std::cerr << caption << ": " << text << std::endl;
        return 1;
    }
    RT_LINE();
    QMessageBox::warning(QApplication::activeWindow(), QString::fromUtf8(caption),
                         QString::fromUtf8(text));
    return 1;
}

}  // namespace errors
