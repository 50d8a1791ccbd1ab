#pragma once

#include <QString>
#include <QStringList>

namespace vellanor::platform {
class MessageService;
}

namespace vellanor {

// The option the desktop entry starts the program with.
inline constexpr char kDesktopOption[] = "--desktop";

// Chooses the folder the program works in ("Vellanor.db" and the report
// templates live in the working directory). Started from the desktop's menu
// (`kDesktopOption` among `arguments`) it is `home`/Vellanor, created when
// missing, so that the grade book never lands in whatever folder the desktop
// starts programs in; its "Template" folder is created the first time with a
// copy of the sample templates installed with the program
// (`programDir`/../share/vellanor/Template). Started from a terminal, the
// current directory stays. False, after an error message, when the folder
// cannot be made or entered.
bool EnterDataFolder(const QStringList& arguments, platform::MessageService& messages,
                     const QString& home, const QString& programDir);

}  // namespace vellanor
