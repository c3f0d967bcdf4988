// The printer object of the headless backend: its drawing state, the folder the
// documents go to, and the document being printed (PDF bytes in memory, the open
// page as a recording that is copied into the PDF when the page ends).
#pragma once

#include <string>

#include "runtime/graphics_state.h"

struct PrinterState {
  PrinterState();
  ~PrinterState();
  PrinterState(const PrinterState&) = delete;
  PrinterState& operator=(const PrinterState&) = delete;

  rt::GraphicsState gfx;
  std::string printerName;  // CP932; empty: the default printer
  std::string folder;       // CP932 program path; empty: the current folder
  int nextNumber = 1;       // NNN of the next "print-NNN.pdf" tried

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
