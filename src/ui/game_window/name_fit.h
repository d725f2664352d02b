// A player's name in a label of fixed width.
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

}  // namespace koropika
