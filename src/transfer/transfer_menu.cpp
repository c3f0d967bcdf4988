#include "transfer/transfer_menu.h"

#include <array>
#include <cmath>

#include "core/app.h"
#include "core/routines.h"
#include "fieldbook/book_file.h"
#include "runtime/console.h"
#include "transfer/bitmap_reading.h"
#include "transfer/coordinate_exchange.h"
#include "transfer/digitizer.h"
#include "transfer/dxf_import.h"
#include "transfer/fieldbook_exchange.h"
#include "transfer/program_transfer.h"
#include "transfer/sima_exchange.h"
#include "ui/input.h"

namespace transfer {

int MenuChoiceOf(double answerValue) {
  if (!std::isfinite(answerValue) || std::fabs(answerValue) > 1e6) return 0;
  return static_cast<int>(std::round(answerValue));
}

Jump SendOrReceiveMenu(App& app, const char* prompt, Entry send, Entry receive) {
  RtPrintStr(prompt, false);
  app.input.GuideNumber = 149;
  InputMenuChoice(app);
  switch (MenuChoiceOf(app.input.AnswerValue)) {
    case 1: return send(app);
    case 2: return receive(app);
    default: return {EntryOf(Routines().RepeatLastCommand)};
  }
}

}  // namespace transfer

namespace {

Jump NormalizeAllNames(App&) { return {EntryOf(Routines().NormalizeNamesThenPlot)}; }

constexpr std::array<Entry, 10> kCommands = {
    NormalizeAllNames,      // 1 names
    CoordinateCommMenu,     // 2 coordinates
    SimaCommMenu,           // 3 SIMA
    TransferFieldBookFile,  // 4 field-book file
    FieldBookCommMenu,      // 5 field book
    SdCommMenu,             // 6 data collector
    DigitizerInput,         // 7 digitizer
    BitmapPointReading,     // 8 bitmap
    DxfImport,              // 9 DXF import
    ProgramTransferMenu,    // 10 program text
};

}  // namespace

Jump TransferMenu(App& app) {
  Call(Routines().ResetRunState, app);
  RtPrintStr(" 1:名処理  2:座標通信  3:SIMA通信  4:野帳ﾌｧｲﾙ  5:野帳通信", true);
  RtPrintStr(" 6:SD通信  7:デジ読取  8:BMP読取   9:DXF読込  10:BAS通信", false);
  app.input.GuideNumber = 148;
  InputMenuChoice(app);
  const int choice = transfer::MenuChoiceOf(app.input.AnswerValue);
  if (choice >= 1 && choice <= static_cast<int>(kCommands.size())) return {kCommands[choice - 1]};
  return {EntryOf(Routines().ShowResultMenu)};
}
