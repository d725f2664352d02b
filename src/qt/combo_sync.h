#pragma once

#include <QComboBox>

#include "ui/elements/element.h"

namespace koropika {

// Brings a QComboBox in line with its model element: entries, selected entry, and (editable
// boxes) the text. Only what differs is touched, with the box's signals blocked, so the
// person's typing, cursor position and open list are left alone and nothing echoes back into
// the model.
void syncComboBox(QComboBox& box, const Element& combo);

}  // namespace koropika
