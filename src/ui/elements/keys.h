// Key: the keys a window's own logic acts on, and how long a press by key shows.
#pragma once

namespace koropika {

// The keys a window's own logic acts on; every other key stays with the toolkit (typing in a
// combo box, the menu bar).
enum class Key { Tab, BackTab, Left, Right, Up, Down, Enter, Space };

// How long a button pressed by a key shows its pressed picture before it is released.
inline constexpr int kKeyPressShowMs = 120;

}  // namespace koropika
