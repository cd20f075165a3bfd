#pragma once
// The accessible objects the window layer gives screen readers in place of
// the toolkit's: the edit pane (TextPaneAccessible), radio buttons
// (RadioButtonAccessible), a top-level window of the layer's own (a frame
// named by its caption with the controls right below it, where the toolkit
// sees a nameless filler: WindowAccessible), the layer's containers between
// the window and its controls (answering as the window: PassThroughAccessible)
// and a data window's frame not so marked (a filler, where the toolkit sees a
// frame: a plain QFrame is only ever a data window's). Install puts the
// factory in front of the toolkit's; the layer's widgets run it as they are
// made (Forget, TextPaneView), once the application exists.

#include <QString>

class QAccessibleInterface;
class QObject;

namespace win {

class Accessibility {
  public:
    static void Install();
    // The layer's interface for `object`, or nullptr to leave it to the
    // toolkit.
    static QAccessibleInterface* Make(const QString& className, QObject* object);
    // Drops the interface the toolkit may have made for `object` while it
    // was still being built (then it answers for a base class), so that the
    // next query makes the layer's own. Call once the object is whole.
    static void Forget(QObject* object);
};

}  // namespace win
