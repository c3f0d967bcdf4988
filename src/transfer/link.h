// The transfer link: the serial port the exchanges share, its opening with the
// speed question, the failure report after a read that timed out, and the store
// of received points into the table.
#pragma once

#include <string>
#include <string_view>

struct App;

namespace transfer {

// The port of the link while an exchange runs.
inline constexpr int kTransferPort = 1;
// The device string of the link after "COM<n>".
inline constexpr std::string_view kLinkOptions = ":(F8N1X8,RB4096,RD15000)";
// Once a receive has had its first record, this long without a byte ends it as
// complete: a peer that sends no end mark is done when it falls quiet.
inline constexpr int kQuietPeriodMs = 2000;

// "COM" + (COX - 1) + kLinkOptions.
std::string LinkDeviceString(double cox);

// The number of a received text as the input routine reads an answer: blanks
// (half- and full-width) trimmed, then "000000" appended when it holds a point
// and ".000000" when it does not; a text that is no number gives 0.
double FieldNumber(std::string_view text);

// Names as the end of a receive leaves them: leading blanks and zeros off,
// trailing blanks off, one leading blank before a name that reads as a number
// other than 0; a name made of zeros keeps one "0".
std::string ReceivedPointName(const std::string& name);

}  // namespace transfer

// A side file (a program text, a picture, a drawing to import) chosen with
// `dialog` (the open or the save dialog) proposing `extension`: the job keeps
// its name, folder and extension, which the dialogs would take from the chosen
// file (the DXF output would otherwise propose to overwrite an imported
// drawing), and the working folder stays. "" when cancelled.
std::string ChooseSideFile(App& app, void (*dialog)(App&), std::string_view extension);

// Asks the speed ("ｽﾋﾟ-ﾄﾞ [300,600,1200,2400,4800,9600]", 9600 by default) and
// "OK=[Y,N]Y "; "N" jumps to the transfer menu. Otherwise clears
// CommFailureFlag and opens the link as file 1 at that speed (a speed the port
// has no setting for is error 5, a COX outside 1 to 5 error 5 before anything
// is opened).
void OpenTransferPort(App& app);

// Right after a read on the link: returns when CommFailureFlag is not 1; else
// reports "  通信に失敗しました" with its sounds and a 2-second pause, closes the
// link, clears the flag, arms the main error handler and jumps to
// RepeatLastCommand.
void CheckCommFailure(App& app);

// One line from the link (up to CR, LF dropped); a read that timed out sets
// CommFailureFlag and leaves `line` as it was. CheckCommFailure follows.
void ReadLinkLine(App& app, std::string& line);

// True when a byte comes on the link within the quiet period; for a receive of
// `lines` LF bytes do not count (a line read drops them).
bool LinkHasMore(bool lines = true);

// Received points, stored from RegistrationNumber on.
class PointReceiver {
 public:
  explicit PointReceiver(App& app);
  // Room for one more point: false after telling that the table ends at 9999.
  bool Room();
  // Stores the point under RegistrationNumber (rounded), raises PointCount to
  // it, and RegistrationNumber by one. Room() must have said yes.
  void Store(const std::string& name, double x, double y, double z, const std::string& attribute);
  // Closes the link, normalises the names stored (only those), plays
  // "chimes.wav", splits the last point's name and jumps to the plot of all
  // points, which ends in the result menu.
  [[noreturn]] void Finish();

 private:
  App& app_;
  int first_ = 0;
  int last_ = -1;
};
