#pragma once
// A drop-down list. FillUsing takes an array: an element that is itself an
// array of two is shown by its first element and carries its second as
// value; any other element is shown as text and carries itself. Entries keep
// the array's order (the layer inserts without sorting, so "300" comes
// before "1200"). Value is the selected entry's value (NIL with none
// selected); assigning a value selects the first entry that carries an equal
// value, and a value no entry carries leaves the selection as it is.

#include <string>
#include <vector>

#include "platform/window/Control.h"

class QComboBox;

namespace win {

class ComboBox : public Control {
  public:
    ComboBox(DataWindow* owner, const ResourceID& id);

    void FillUsing(const rt::Usual& entries);
    rt::Usual Value() const override;
    void Value(const rt::Usual& value) override;

    int Count() const;
    std::string EntryText(int index) const;
    // A tooltip for one entry; the closed box shows the selected entry's.
    void SetEntryToolTip(int index, const std::string& text);
    // Draws one entry as unavailable (the palette's disabled text colour) or
    // as usual; it stays selectable either way.
    void SetEntryAvailable(int index, bool available);
    // Whether the entry is drawn as usual.
    bool EntryAvailable(int index) const;

    // How the layer shows a value as text: texts as they are, numbers in
    // decimal, logicals as .T./.F., anything else empty.
    static std::string DisplayText(const rt::Usual& value);

    std::string ClassName() const override { return "COMBOBOX"; }

  private:
    QComboBox* Box() const;
    void UpdateToolTip();

    std::vector<rt::Usual> values_;
};

}  // namespace win
