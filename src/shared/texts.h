// The words shown to the player: how a text is marked for translation, and how numbers and
// names are put into a translated text.
//
// Every text is written in the code in the game's own Japanese words, with a context that
// groups it (the window or part that shows it). Where it is shown it is looked up in the
// language of the windows through `translate(context, words)` (Desktop::translate, or Qt's
// QCoreApplication::translate in the front end). The translation tool (lupdate) reads these
// calls, and also TRANSLATABLE(context, words), which marks a text kept in a constant and
// looked up later; the English words are in translations/*.ts.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

// Marks `words` for the translation tool; the value is the words themselves.
#define TRANSLATABLE(context, words) words

namespace koropika {

// `words`, the game's own Japanese text looked up with `context`, in the language of the windows.
using Translate = std::function<std::string(const char* context, const char* words)>;

// `pattern` with %1, %2, … %9 replaced by the values in order, as Qt's QString::arg does, so that
// a translation may place them where its grammar wants them. A % not followed by the number of
// a given value stays as it is.
std::string fillText(std::string_view pattern, std::initializer_list<std::string_view> values);

}  // namespace koropika
