#pragma once
// A modal message box: owner (a window or nullptr), caption and text. Show
// runs it modally and answers the number of the button pressed (1 for OK).
// The default box has one OK button and no icon. Details, when set, are kept
// behind the box's "Show Details..." button (Qt's detailed text), so a user
// started from the desktop, with no terminal for standard error, can read
// why; the text and caption stay as they are.

#include <string>

#include "platform/runtime/Usual.h"

class QWidget;

namespace win {

class Window;

class TextBox : public rt::Object {
  public:
    TextBox(Window* owner, std::string caption, std::string text);

    const std::string& Caption() const { return caption_; }
    void Caption(std::string caption) { caption_ = std::move(caption); }
    const std::string& Text() const { return text_; }
    const std::string& Details() const { return details_; }
    void Details(std::string details) { details_ = std::move(details); }

    virtual int Show();

    std::string ClassName() const override { return "TEXTBOX"; }

  protected:
    enum class Kind { Plain, Error };
    void SetKind(Kind kind) { kind_ = kind; }

  private:
    Window* owner_;
    std::string caption_;
    std::string text_;
    std::string details_;
    Kind kind_ = Kind::Plain;
};

}  // namespace win
