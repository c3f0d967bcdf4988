// Real printers under the printer object (printer.h) on the desktop. GTK's print
// dialog chooses a printer and a page; every document the printer object writes
// as a PDF file then goes to that printer as well (through CUPS), or, when the
// dialog chose "Print to File", to the file named there. Without a choice the
// printer set-up's printer takes the documents (an empty name: the system's
// default printer); when there is no such printer the PDF file is the only print.
#pragma once

#include <source_location>
#include <string>
#include <string_view>

#include "runtime/desktop.h"

struct PrinterState;

namespace rt {

// Shows GTK's print dialog over `parent` (may be null), opening with the printer
// and page last confirmed. Confirmed: binds the chosen printer and page (the
// documents are laid out on that page from the next one on, and RtDeviceCaps
// reports its printable size) and returns true. Cancelled or closed: returns
// false and changes nothing.
bool ChooseDesktopPrinter(PrinterState& p, GtkWindow* parent);

// Forgets the dialog's choice: the printer set-up's printer takes the documents
// again, on the default page. The dialog still opens as it was last confirmed.
void ForgetChosenPrinter(PrinterState& p);

// Sends the written PDF file `pdfPath` (host path) to the bound printer as a job
// titled `title` (CP932) and waits until the printer has taken it; the transcript
// gets "[printer] NAME". A file chosen with "Print to File" takes one document:
// later ones, until the next choice, stay only PDF files. A printer that refuses
// the document, or takes longer than a minute, raises error 25 (kErrDeviceFault).
void SendToDesktopPrinter(PrinterState& p, const std::string& pdfPath, std::string_view title,
                          std::source_location where);

}  // namespace rt
