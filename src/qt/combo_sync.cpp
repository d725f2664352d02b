#include "qt/combo_sync.h"

#include <QApplication>
#include <QKeyEvent>
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

PickComboBox::PickComboBox(bool editable, const QFont& font, QWidget* parent) : QComboBox(parent) {
    setFont(font);
    setInsertPolicy(QComboBox::NoInsert);
    if (editable) {
        // Qt's line edit lays out its empty text once in the application font while it is made,
        // before it takes the box's font. With the box's font as the application font for that
        // moment, the first window loads no face that nothing on it shows.
        const QFont applicationFont = QApplication::font();
        QApplication::setFont(font);
        setEditable(true);
        QApplication::setFont(applicationFont);
        // A name is taken exactly as typed: no completing "Bo" to a stored "Bob", no case
        // folding. (Only an editable box has a completer to remove.)
        setCompleter(nullptr);
    }
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!leavingText_) {
            emit picked(index);
        }
    });
}

void PickComboBox::focusOutEvent(QFocusEvent* event) {
    // Tab, a click elsewhere, or opening a list: the line edit finishes its text.
    const bool outer = leavingText_;
    leavingText_ = true;
    QComboBox::focusOutEvent(event);
    leavingText_ = outer;
}

void PickComboBox::keyPressEvent(QKeyEvent* event) {
    const bool finishesText =
        isEditable() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter);
    const bool outer = leavingText_;
    leavingText_ = leavingText_ || finishesText;
    QComboBox::keyPressEvent(event);
    leavingText_ = outer;
}

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
