#pragma once
// The error dialog: the report text under the caption "WARNING" or "ERROR",
// with one button for each answer offered. Modal for the whole application.
//
// Codes: the default code (1) and the retry code (2) are offered when not 0;
// the abort code is offered when not 0 and carries the high bit, its low
// bits telling whether a recovery point exists (3: "Abort") or aborting
// ends the program (0: "Quit program"). Pressing a button answers its code
// with the high bit cleared; closing the dialog any other way (Escape, the
// window's close) answers the default when it is offered and aborts
// otherwise.

#include <QDialog>
#include <cstdint>
#include <string>

class QHBoxLayout;
class QPushButton;

namespace errors {

class ErrorDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr std::uint32_t kHighBit = 0x80000000u;

    ErrorDialog(const std::string& text, const std::string& caption, std::uint32_t defaultCode,
                std::uint32_t retryCode, std::uint32_t abortCode, QWidget* parent = nullptr);

    // The answer once the dialog has ended.
    std::uint32_t Answer() const { return answer_; }

    // The buttons, null for an answer not offered.
    QPushButton* DefaultButton() const { return defaultButton_; }
    QPushButton* RetryButton() const { return retryButton_; }
    QPushButton* AbortButton() const { return abortButton_; }

    void reject() override;

  private:
    QPushButton* AddButton(const char* caption, std::uint32_t code);

    std::uint32_t defaultCode_;
    std::uint32_t abortCode_;
    std::uint32_t answer_;
    QPushButton* defaultButton_ = nullptr;
    QPushButton* retryButton_ = nullptr;
    QPushButton* abortButton_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
};

// Shows an ErrorDialog and waits for the answer: the runtime's error dialog
// (rt::ErrorMessageBox). Without a widget application, nothing can be shown:
// the report goes to standard error and the answer is the default when it is
// offered, else the abort code.
std::uint32_t ShowErrorDialog(const std::string& text, const std::string& caption,
                              std::uint32_t defaultCode, std::uint32_t retryCode,
                              std::uint32_t abortCode);

// The platform message box shown as a real box (os::MessageBoxA).
int ShowMessageBox(std::uintptr_t owner, const char* text, const char* caption,
                   std::uint32_t style);

}  // namespace errors
