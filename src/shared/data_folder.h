#pragma once

// Where the program keeps name.txt and itidata.txt.

#include <string>

namespace koropika {

// The folder that holds name.txt and itidata.txt: the program folder when it can be written and
// does not lie under /usr (an installed program's, even when the superuser runs it), otherwise
// $XDG_DATA_HOME/koropika (default ~/.local/share/koropika), created on first use; a file already
// in the program folder is copied there the first time, so no stored name is lost.
//
// When that folder cannot be created either, the program folder is returned: its files can
// still be read, and a failing write is reported where it happens.
std::string dataFolderFor(const std::string& programFolder);

}  // namespace koropika
