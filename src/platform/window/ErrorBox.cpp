#include "platform/window/ErrorBox.h"

#include "platform/window/WindowTexts.h"

namespace win {

ErrorBox::ErrorBox(Window* owner, std::string text)
    : TextBox(owner, texts::kErrorBoxCaption, std::move(text)) {
    SetKind(Kind::Error);
}

}  // namespace win
