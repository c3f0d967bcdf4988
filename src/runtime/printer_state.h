// The printer object: its drawing state, the folder the documents go to, its
// paper, the desktop printer it is bound to, and the document being printed (PDF
// bytes in memory, the open page as a recording that is copied into the PDF when
// the page ends).
#pragma once

#include <memory>
#include <string>

#include "runtime/graphics_state.h"

namespace rt {

// A sheet of paper and the part of it the printer prints on, in millimetres, as
// the page is turned (width across, height down): A4 portrait with 5 mm margins
// unless a print dialog chose another page.
struct Sheet {
  double paperWidthMm = 210;
  double paperHeightMm = 297;
  double leftMm = 5;
  double topMm = 5;
  double printableWidthMm = 200;
  double printableHeightMm = 287;
};

// The printer and page the desktop's print dialog or printer set-up bound
// (desktop_print.cpp); absent headless.
struct DesktopPrinter;
struct DesktopPrinterDeleter {
  void operator()(DesktopPrinter* printer) const;
};

}  // namespace rt

struct PrinterState {
  PrinterState();
  ~PrinterState();
  PrinterState(const PrinterState&) = delete;
  PrinterState& operator=(const PrinterState&) = delete;

  rt::GraphicsState gfx;
  std::string printerName;  // CP932; empty: the default printer
  std::string folder;       // CP932 program path; empty: the current folder
  int nextNumber = 1;       // NNN of the next "print-NNN.pdf" tried
  rt::Sheet sheet;          // the paper of the documents
  std::unique_ptr<rt::DesktopPrinter, rt::DesktopPrinterDeleter> desktop;

  // The open document.
  bool documentOpen = false;
  std::string documentName;  // CP932
  std::string pdfBytes;      // what the PDF surface has written so far
  rt::SurfacePtr pdf;        // writes into pdfBytes
  int pagesWritten = 0;

  // The open page.
  bool pageOpen = false;
  bool pageDrawn = false;  // something was drawn on it
  rt::SurfacePtr page;     // recording surface, PDF points
};
