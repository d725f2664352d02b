// The native combo box of the front end and how it follows its model element.
#pragma once

#include <QComboBox>

#include "ui/elements/element.h"

namespace koropika {

// A QComboBox whose `picked` signal means a choice of an entry: from the open list, or with the
// arrow keys on a closed box. An editable QComboBox also reports an activation when its typed
// text merely equals an entry and the box loses the focus or Return is pressed; that is the
// person leaving the box, not a choice, and is not passed on.
class PickComboBox final : public QComboBox {
    Q_OBJECT
  public:
    // `editable`: typed text or a choice from the list; otherwise a choice from the list only.
    // `font` is the box's own: an editable box makes its line edit in it, rather than in the
    // application's font, whose face would otherwise be loaded for this alone.
    PickComboBox(bool editable, const QFont& font, QWidget* parent);

  signals:
    void picked(int index);

  protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool leavingText_ = false;  // the typed text is being finished: activations are no picks
};

// Brings a QComboBox in line with its model element: entries, selected entry, and (editable
// boxes) the text. Only what differs is touched, with the box's signals blocked, so the
// person's typing, cursor position and open list are left alone and nothing echoes back into
// the model.
void syncComboBox(QComboBox& box, const Element& combo);

}  // namespace koropika
