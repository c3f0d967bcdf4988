// Choice 10 of the transfer menu: a data collector's program text between a
// ".BAS" file and the link, line for line, ended on the link by a line holding
// CHR$(26) alone. The file dialogs choose a side file: the job keeps its name
// and folder.
#pragma once

#include <string>
#include <vector>

#include "core/control.h"

struct App;

namespace transfer {

// Most lines a program file may hold.
inline constexpr std::size_t kProgramLineCapacity = 10000;
// The pause before each line sent, in units of 10 ms.
inline constexpr double kProgramLinePause = 1;

// The lines of a program file as they are sent: a last line holding CHR$(26)
// alone (the end line a receive used to keep) is dropped, so that the peer
// sees one end line.
std::vector<std::string> ProgramLinesToSend(std::vector<std::string> fileLines);

}  // namespace transfer

// " 1:ﾌﾟﾛｸﾞﾗﾑ受信  2:ﾌﾟﾛｸﾞﾗﾑ送信 ": 1 receives into a file chosen in the save
// dialog, written whole only when the end line came (without it); 2 sends a file
// chosen in the open dialog, 10 ms a line, then the end line. Every way out
// goes back to the transfer menu with FileExtension as it was.
Jump ProgramTransferMenu(App& app);
