// The file dialogs and the job path. Every file of the current job is
// JobFolder + ZA + an extension (app.shell.JobFolder, app.settings.ZA,
// app.job.FileExtension); the dialogs choose the file and set all three, and
// the current folder, from the chosen path.
//
// A save runs: set FileExtension, ShowSaveFileDialog, back to the own menu when
// ChosenFilePath is "", else OpenOutputFileFresh, write to file 1, close file 1.
// A read runs: set FileExtension, ShowOpenFileDialog, back when ChosenFilePath
// is "", else open JobFolder + ZA + FileExtension itself.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct App;

// The save dialog ("ﾌｧｲﾙ書込"), proposing ZA + FileExtension. Cancelled:
// ChosenFilePath is "" and nothing else changes. Otherwise a name without "."
// gets FileExtension; a file that cannot be saved (a read-only file, a folder
// that takes no new file, a file that cannot be made) is refused with a message
// and the dialog is shown again; a missing file is created empty (an existing
// one is left as it is); then SplitFilePath.
void ShowSaveFileDialog(App& app);

// The open dialog ("ﾌｧｲﾙ読込") for an existing file, proposing ZA +
// FileExtension. Cancelled: ChosenFilePath is "" and nothing else changes.
// Otherwise the file is opened for input as file 1 and closed (a missing file is
// passed over), then SplitFilePath.
void ShowOpenFileDialog(App& app);

// Splits ChosenFilePath (files::SplitJobPath) into JobFolder, ZA and
// FileExtension, then makes JobFolder the current folder. Without a folder
// separator only the current folder is set.
void SplitFilePath(App& app);

// Deletes JobFolder + ZA + FileExtension (a missing file is fine) and opens it
// anew, empty, for writing as file 1.
void OpenOutputFileFresh(App& app);

namespace files {

// The parts of a path; folder + name + extension is the path again.
struct JobPath {
  std::string folder;     // up to and including the last separator; "" without one
  std::string name;       // the file name without its last extension
  std::string extension;  // from the file name's last "." to its end; "" without "."
};

// The one split of a path into job folder, job name and extension, for every
// file the program names after a chosen or given file. The name keeps every
// "." but the last, so "JOB.V2.PRN" is the job "JOB.V2" (its lines "JOB.V2.SEN")
// and never the job "JOB"; a "." in a folder name plays no part. The job file
// JobFolder + ZA + FileExtension is thus exactly the file split.
JobPath SplitJobPath(std::string_view path);

// The job's file with `extension`: JobFolder + ZA + extension.
std::string JobFilePath(const App& app, std::string_view extension);
// The job file in hand: JobFolder + ZA + FileExtension.
std::string JobFilePath(const App& app);

// The type lists of the two dialogs for the extension in hand.
std::string SaveDialogTypeList(std::string_view extension);
std::string OpenDialogTypeList(std::string_view extension);

// Index of the last folder separator of a CP932 path: "/" or "\" where it is a
// character of its own, never the second byte of a double-byte character;
// npos when there is none.
std::size_t LastFolderSeparator(std::string_view path);

// "  " + whichFile + "は読込専用です。名を変更してください": the message that
// refuses a read-only file in the save dialog ("このファイル", or a file's name
// followed by " ").
std::string ReadOnlyMessage(std::string_view whichFile);
// Shows why a chosen file is refused, in colour 10 after an empty line (lines
// split at "\n"), and gives the user 3 seconds to read it before the dialog
// comes again.
void ReportRefusedFile(const std::string& message);

// The job files whose read was refused (JobFiles::UnreadFiles): a file is
// remembered when its read fails, forgotten when it is read whole or may be
// overwritten; IsUnreadFile tells whether a path names one of them (the same
// file, however the path is written).
void RememberUnreadFile(App& app, const std::string& path);
void ForgetUnreadFile(App& app, const std::string& path);
bool IsUnreadFile(const App& app, const std::string& path);

}  // namespace files
