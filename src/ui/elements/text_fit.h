// Text in a label of fixed size: a player's name in a line of fixed width, and a line's full
// height.
#pragma once

#include <string>

namespace koropika {

class Desktop;
class Element;

// `pattern` with %1 filled with `name`, as `label` shows it on one line: where the whole line is
// wider than the label, the name's tail gives way to "…", so that the line keeps the rest of its
// words. A line that fits is the filled pattern itself.
std::string nameLine(const Desktop& desktop, const Element& label, const std::string& name,
                     const std::string& pattern = "%1");

// Makes `label` at least one line of its font tall, its top and width kept, so that a face whose
// letters reach deeper below the line than the designed height allows (a Latin face's g, p, y)
// is drawn whole.
void makeRoomForOneLine(const Desktop& desktop, Element& label);

}  // namespace koropika
