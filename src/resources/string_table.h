#pragma once

#include <QString>

// The string table: the about entry of the system menu and the prompt of
// every command, by number.

namespace vellanor::res {

// The string with this number, or an empty string when there is none.
QString StringById(int id);

}  // namespace vellanor::res
