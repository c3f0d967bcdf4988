// The printer object: documents of pages drawn with the graphics operations of
// graphics.h on RtWindowId::Printer.
//
// The headless backend has one printer: a PDF writer with A4 portrait pages
// (210 x 297 mm) whose printable area leaves 5 mm on every side (200 x 287 mm).
// Each ended document becomes a file "print-NNN.pdf" (NNN counting up from 001,
// never overwriting a file) in the printer's folder, written whole when the
// document ends, and the transcript gets the line "[print] print-NNN.pdf". A page
// on which nothing was drawn is left out; a document without pages writes no
// file. The print dialog is not shown: it is always confirmed.
//
// On the desktop the print dialog is GTK's, its page becomes the documents'
// paper, and each written PDF also goes to the bound printer (desktop_print.h).
//
// Drawing while no page is open only moves the graphics position (so text lines
// can be measured before the first page).
#pragma once

#include <source_location>
#include <string_view>

// Binds the printer object to a printer; an empty name is the default printer.
// The headless backend has only its PDF printer and binds it under any name.
// The page goes back to A4 portrait. Returns true.
bool RtPrinterSetup(std::string_view printerName,
                    std::source_location where = std::source_location::current());
// The print dialog for the printer object; true when confirmed, false when
// cancelled. Headless: confirmed at once. Desktop: a confirmed choice binds the
// chosen printer and page until the next set-up or dialog.
bool RtSelectPrinter(std::source_location where = std::source_location::current());
// Device capabilities, in whole millimetres of the page in use; other indexes
// give 0.
enum RtDeviceCap : int {
  kCapPrintableWidthMm = 4,
  kCapPrintableHeightMm = 6,
};
double RtDeviceCaps(int index);

// Starts a document (its name, CP932, is kept as the PDF title). A document still
// open is dropped first, as if aborted.
void RtPrinterStartDoc(std::string_view documentName,
                       std::source_location where = std::source_location::current());
// Starts a page (ending an open one first, and starting a document when none is
// open); the graphics position goes back to (0, 0).
void RtPrinterStartPage(std::source_location where = std::source_location::current());
// Ends the open page; nothing when none is open.
void RtPrinterEndPage(std::source_location where = std::source_location::current());
// Ends the open page and the document and writes its file. Nothing when no
// document is open. A folder that does not exist is error 76, a file that cannot
// be written error 75 (61 when the disk is full); the document is dropped then.
void RtPrinterEndDoc(std::source_location where = std::source_location::current());
// Drops the open document: nothing is written.
void RtPrinterAbort();
// Gives up the printer's device and fonts: an open document is dropped, and the
// font, unit, colours and pen go back to their defaults (unit 1, "ＭＳ 明朝" 10
// points, colour 0 on white, pen width 1, solid, copy).
void RtPrinterRelease();

namespace rt {
// The folder the printed documents are written to (a CP932 program path); an
// empty path is the process's current folder, which is also the default.
void SetPrinterFolder(std::string_view folder);
}  // namespace rt
