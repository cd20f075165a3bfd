#pragma once
// The error dialog: the report text under the caption "WARNING" or "ERROR",
// with one button for each answer offered. Modal for the whole application.
//
// Buttons: "Default" and "Retry" when offered; aborting, when offered, as
// "Abort" (there is a recovery point) or "Quit program". Pressing a button
// answers its answer; closing the dialog any other way (Escape, the
// window's close) answers the default when it is offered and aborts
// otherwise (rt::UnansweredAnswer).

#include <QDialog>
#include <cstdint>
#include <string>

#include "platform/runtime/ErrorAnswer.h"

class QHBoxLayout;
class QPushButton;

namespace errors {

class ErrorDialog : public QDialog {
    Q_OBJECT
  public:
    ErrorDialog(const std::string& text, const std::string& caption,
                const rt::ErrorChoices& choices, QWidget* parent = nullptr);

    // The answer once the dialog has ended.
    rt::ErrorAnswer Answer() const { return answer_; }

    // The buttons, null for an answer not offered.
    QPushButton* DefaultButton() const { return defaultButton_; }
    QPushButton* RetryButton() const { return retryButton_; }
    QPushButton* AbortButton() const { return abortButton_; }

    void reject() override;

  private:
    QPushButton* AddButton(const char* caption, rt::ErrorAnswer answer);

    rt::ErrorChoices choices_;
    rt::ErrorAnswer answer_;
    QPushButton* defaultButton_ = nullptr;
    QPushButton* retryButton_ = nullptr;
    QPushButton* abortButton_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
};

// Shows an ErrorDialog and waits for the answer: the runtime's error dialog
// (rt::ErrorMessageBox). Without a widget application, nothing can be shown:
// the report goes to standard error and the answer is the default when it is
// offered, else aborting (rt::UnansweredAnswer).
rt::ErrorAnswer ShowErrorDialog(const std::string& text, const std::string& caption,
                                const rt::ErrorChoices& choices);

// The platform message box shown as a real box (os::MessageBoxA).
int ShowMessageBox(std::uintptr_t owner, const char* text, const char* caption,
                   std::uint32_t style);

}  // namespace errors
