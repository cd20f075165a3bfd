#pragma once
// The receive pane: a multi-line edit control that owns the port object,
// shows every byte that arrives on the port and writes to the port the keys
// pressed in it.
//
// Dispatch, for every message of the pane:
//   1. the base edit control's Dispatch (ordinary handling; its result is
//      the answer);
//   2. WM_COMMNOTIFY: reads one byte at a time while the port reports bytes
//      waiting. Their text (ReceiveRenderer) is inserted at the caret after
//      Dispatch returns, in order, coalesced into one insertion per interval
//      while data keeps coming (PendingText); it is never written back to
//      the port. A drain stops after kDrainBudget bytes and
//      posts itself a WM_COMMNOTIFY for the rest, so keys and painting keep
//      their turn during a flood;
//   3. WM_KEYDOWN: writes the key's bytes (KeyBytes) to the port, open or not;
//      while the port's device is lost nothing goes out, so a key that would
//      type or edit text (and WM_CHAR) is not applied to the pane either:
//      the pane shows only what went out. Moving the caret still works;
//   4. nothing is written for any other message.
// Received text still waiting when a key or character message arrives is
// inserted first, so text shows in the order it came.
//
// The pane keeps the most recent kPaneTextCap characters.

#include <QPointer>
#include <QTimer>

#include "platform/serial/Serial.h"
#include "platform/window/DataWindow.h"
#include "platform/window/MultiLineEdit.h"
#include "serialtest/PendingText.h"

namespace serialtest {

class SerialMLE : public win::MultiLineEdit {
    Q_OBJECT
  public:
    // Init: the edit control, then its port object, not open, notifying the
    // pane's own window.
    explicit SerialMLE(QWidget* parent = nullptr);
    // Init from a data window's template: the pane is placed as the item of
    // `id` says and belongs to the window's widget.
    SerialMLE(win::DataWindow* owner, const win::ResourceID& id);

    // The port object; nullptr only if an object set as Device was deleted.
    serial::Serial* Device() const;
    // Takes `value` as the port object when it is a Serial; any other value
    // is ignored. Answers the port object as it then is.
    serial::Serial* SetDevice(QObject* value);

    win::LRESULT Dispatch(const win::Event& event) override;
    // Replaces the text; received text still waiting goes with the old text,
    // as it arrived before the change.
    void SetValue(const QString& text) override;

    std::string ClassName() const override { return "SERIALMLE"; }

  private:
    // Whether `event` would put typed text in the pane while the port's
    // device is lost, when nothing it sends goes out.
    bool SentNowhere(const win::Event& event) const;
    void Drain();
    void SchedulePending();
    void InsertPending();

    QPointer<serial::Serial> port_;
    PendingText pending_;
    std::string received_;  // bytes of the current drain, reused
    QTimer insertTimer_;
};

}  // namespace serialtest
