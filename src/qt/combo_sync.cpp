#include "qt/combo_sync.h"

#include <QSignalBlocker>
#include <QStringList>

#include "qt/conversions.h"

namespace koropika {

namespace {

QStringList entriesOf(const Element& combo) {
    QStringList entries;
    entries.reserve(static_cast<qsizetype>(combo.items().size()));
    for (const std::string& item : combo.items()) {
        entries.append(toQString(item));
    }
    return entries;
}

QStringList entriesOf(const QComboBox& box) {
    QStringList entries;
    entries.reserve(box.count());
    for (int i = 0; i < box.count(); ++i) {
        entries.append(box.itemText(i));
    }
    return entries;
}

}  // namespace

void syncComboBox(QComboBox& box, const Element& combo) {
    const QSignalBlocker blocker(box);
    const QStringList entries = entriesOf(combo);
    const bool refilled = entriesOf(box) != entries;
    if (refilled) {
        box.clear();
        box.addItems(entries);
    }
    const int selected = combo.selectedIndex();
    if (box.isEditable()) {
        // Typing leaves the model with no entry selected while Qt keeps its old current index;
        // moving Qt to "none" would wipe the typed text, so only a real selection is copied.
        if ((selected >= 0 || refilled) && box.currentIndex() != selected) {
            box.setCurrentIndex(selected);
        }
        const QString text = toQString(combo.text());
        if (box.currentText() != text) {
            box.setEditText(text);
        }
    } else {
        if (box.currentIndex() != selected) {
            box.setCurrentIndex(selected);
        }
        // With nothing selected a drop-down list shows the text it was designed with.
        box.setPlaceholderText(toQString(combo.text()));
    }
}

}  // namespace koropika
