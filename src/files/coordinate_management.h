// The coordinate management menu (main-menu command 5): the hub from which the
// job's points are entered, corrected, listed, printed, exchanged with files,
// deleted and cleared, and from which the text editor, the file manager, the
// settings screen and the mouse calibration are reached. Every command ends in
// another menu; only OpenFileInEditor returns to its caller.
#pragma once

#include "core/control.h"

struct App;

// Shows the status header and the menu and reads the choice: Enter alone goes
// to the result menu, anything else to DispatchCoordinateManagement.
Jump CoordinateManagementMenu(App& app);
// WorkPointY := 0, CoordinateInputMode := the decimal digit of the choice (2.5
// gives 5.1), then the command of floor(choice): 1 to 12 the menu's items, any
// other whole number from 0 to 9999 the coordinate list from that point (0 from
// point 1). A choice below 0 or from 10000 on shows the menu again.
Jump DispatchCoordinateManagement(App& app, double choice);

// Choice 7: the editor on a file chosen among all files (FileExtension "" for
// the dialog), then as EditFileWithEditor.
Jump EditChosenFile(App& app);
// The editor VZ on a file chosen in the open dialog, without waiting; also the
// editor choice of the coordinate file menu, which sets FileExtension first.
// The job's name, folder, extension and the working folder stay as they were;
// then this menu.
Jump EditFileWithEditor(App& app);
// Choice 8: the chosen text file is copied over the print buffer "PRINTR.DAT",
// ReportTitle := "", then the result menu; a cancelled dialog goes to
// RepeatLastCommand with the print buffer as it was. The job's name, folder,
// extension and the working folder stay as they were.
Jump LoadTextIntoPrintBuffer(App& app);
// Choice 9: the file manager on JobFolder ("/n,/e," + JobFolder), without
// waiting; then this menu.
Jump OpenJobFolderInExplorer(App& app);
// Choice 10: the settings screen, then this menu.
Jump OpenSettingsScreen(App& app);
// Choice 11: "メモリーをクリアします [Y,N] N"; "Y" (either case) empties the
// parcel work file, the point, line and route tables and the job name, plays
// "recycle.wav" and goes to the result menu; any other answer to
// RepeatLastCommand.
Jump ClearMemory(App& app);
// Choice 5, the SIMA file menu: files/sima_file.h.

// The editor on a file chosen in the open dialog (FileExtension from the
// caller), waiting for it to end; returns. The dialog's split of the chosen
// file stays in ZA, JobFolder and FileExtension for the caller.
void OpenFileInEditor(App& app);
