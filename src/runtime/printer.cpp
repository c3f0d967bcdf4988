#include "runtime/printer.h"

#include <cairo-pdf.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "runtime/desktop.h"
#include "runtime/desktop_print.h"
#include "runtime/errors.h"
#include "runtime/folders.h"
#include "runtime/graphics_target.h"
#include "runtime/printer_state.h"
#include "runtime/runtime.h"
#include "runtime/text.h"

namespace {

using rt::SurfacePtr;

constexpr double Points(double mm) { return mm / 25.4 * 72; }

PrinterState& Printer() { return *CurrentRuntime().printer; }

rt::GraphicsState DefaultPrinterGraphics() {
  rt::GraphicsState g;
  g.scaleMode = rt::ScaleMode::Dots;
  g.fontName = "ＭＳ 明朝";
  g.fontSize = 10;
  g.foreground = 0;
  g.background = 0xFFFFFF;
  return g;
}

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

// A PDF document of pages of `sheet` writing into `sink`.
SurfacePtr NewPdf(const rt::Sheet& sheet, std::string* sink, std::string_view title) {
  SurfacePtr pdf(cairo_pdf_surface_create_for_stream(
      AppendBytes, sink, Points(sheet.paperWidthMm), Points(sheet.paperHeightMm)));
  const std::string utf8 = rt::Cp932ToUtf8(title);
  if (!utf8.empty())
    cairo_pdf_surface_set_metadata(pdf.get(), CAIRO_PDF_METADATA_TITLE, utf8.c_str());
  return pdf;
}

SurfacePtr NewPage(const rt::Sheet& sheet) {
  const cairo_rectangle_t paper{0, 0, Points(sheet.paperWidthMm), Points(sheet.paperHeightMm)};
  return SurfacePtr(cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &paper));
}

void DropDocument(PrinterState& p) {
  p.page.reset();
  p.pageOpen = false;
  p.pageDrawn = false;
  p.pdf.reset();
  p.pdfBytes.clear();
  p.pdfBytes.shrink_to_fit();
  p.documentOpen = false;
  p.documentName.clear();
  p.pagesWritten = 0;
}

void OpenDocument(PrinterState& p, std::string_view name) {
  DropDocument(p);
  p.documentName = name;
  p.pdf = NewPdf(p.sheet, &p.pdfBytes, name);
  p.documentOpen = true;
}

// Copies the open page into the PDF when something was drawn on it.
void FlushPage(PrinterState& p) {
  if (!p.pageOpen) return;
  if (p.pageDrawn) {
    cairo_t* cr = cairo_create(p.pdf.get());
    cairo_set_source_surface(cr, p.page.get(), 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_show_page(p.pdf.get());
    ++p.pagesWritten;
  }
  p.page.reset();
  p.pageOpen = false;
  p.pageDrawn = false;
}

std::string HostFolder(const PrinterState& p) {
  if (p.folder.empty()) return ".";
  std::string folder = rt::HostPath(p.folder);
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

// On the desktop a printed document goes to the bound printer as well.
void SendToPrinter(PrinterState& p, const std::string& pdfPath, std::string_view title,
                   std::source_location where) {
  if (p.desktop || rt::DesktopActive()) rt::SendToDesktopPrinter(p, pdfPath, title, where);
}

// Writes a finished PDF as the next "print-NNN.pdf", names it in the transcript and
// prints it. `title` (CP932) names the print job; empty: the file's name.
void WritePrinted(PrinterState& p, std::string_view pdfBytes, std::string_view title,
                  std::source_location where) {
  std::string name;
  const std::string folder = HostFolder(p);
  const int error = rt::WriteFileNumbered(folder, "print-", ".pdf", p.nextNumber, pdfBytes, name);
  if (error != 0) RtRaise(error, where);
  ++p.nextNumber;
  RtNote("[print] " + name);
  SendToPrinter(p, folder + "/" + name, title.empty() ? std::string_view(name) : title, where);
}

}  // namespace

PrinterState::PrinterState() : gfx(DefaultPrinterGraphics()) {}
PrinterState::~PrinterState() {
  page.reset();
  pdf.reset();
}

namespace rt {

DrawTarget PrinterTarget() {
  PrinterState& p = Printer();
  DrawTarget t;
  t.id = RtWindowId::Printer;
  t.gfx = &p.gfx;
  t.surface = p.pageOpen ? p.page.get() : nullptr;
  t.pixels = false;
  t.printer = true;
  t.deviceDpi = kPdfDpi;
  t.originX = Points(p.sheet.leftMm);
  t.originY = Points(p.sheet.topMm);
  t.unit = kPdfDpi * InchesPerUnit(p.gfx.scaleMode, kPrinterDpi);
  t.drawn = &p.pageDrawn;
  return t;
}

SurfacePtr PrinterPagePicture() {
  PrinterState& p = Printer();
  if (!p.pageOpen) return nullptr;
  const double scale = kScreenDpi / kPdfDpi;
  const int width = static_cast<int>(Points(p.sheet.paperWidthMm) * scale + 0.5);
  const int height = static_cast<int>(Points(p.sheet.paperHeightMm) * scale + 0.5);
  SurfacePtr image(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
  cairo_t* cr = cairo_create(image.get());
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, p.page.get(), 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  return image;
}

void ClearPrinterPage() {
  PrinterState& p = Printer();
  if (p.pageOpen) {
    p.page = NewPage(p.sheet);
    p.pageDrawn = false;
  }
  p.gfx.x = 0;
  p.gfx.y = 0;
}

void PrintPicture(cairo_surface_t* image, std::source_location where) {
  PrinterState& p = Printer();
  const rt::Sheet& sheet = p.sheet;
  const double width = cairo_image_surface_get_width(image);
  const double height = cairo_image_surface_get_height(image);
  const double scale = std::min(Points(sheet.printableWidthMm) / width,
                                Points(sheet.printableHeightMm) / height);
  std::string bytes;
  {
    SurfacePtr pdf = NewPdf(sheet, &bytes, "");
    cairo_t* cr = cairo_create(pdf.get());
    cairo_translate(cr, Points(sheet.leftMm), Points(sheet.topMm));
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_show_page(pdf.get());
    cairo_surface_finish(pdf.get());
  }
  WritePrinted(p, bytes, "", where);
}

void SetPrinterFolder(std::string_view folder) { Printer().folder = folder; }

}  // namespace rt

bool RtPrinterSetup(std::string_view printerName, std::source_location) {
  PrinterState& p = Printer();
  p.printerName = printerName;
  rt::ForgetChosenPrinter(p);
  return true;
}

bool RtSelectPrinter(std::source_location) {
  if (!rt::DesktopActive()) return true;
  return rt::ChooseDesktopPrinter(Printer(), rt::DesktopMainWindow());
}

double RtDeviceCaps(int index) {
  // Whole millimetres, as a device reports its size; the tolerance keeps a size
  // computed from points from losing a millimetre to rounding.
  constexpr double kTolerance = 1e-6;
  const rt::Sheet& sheet = Printer().sheet;
  switch (index) {
    case kCapPrintableWidthMm:
      return std::floor(sheet.printableWidthMm + kTolerance);
    case kCapPrintableHeightMm:
      return std::floor(sheet.printableHeightMm + kTolerance);
    default:
      return 0;
  }
}

void RtPrinterStartDoc(std::string_view documentName, std::source_location) {
  OpenDocument(Printer(), documentName);
}

void RtPrinterStartPage(std::source_location) {
  PrinterState& p = Printer();
  if (!p.documentOpen) OpenDocument(p, "");
  FlushPage(p);
  p.page = NewPage(p.sheet);
  p.pageOpen = true;
  p.pageDrawn = false;
  p.gfx.x = 0;
  p.gfx.y = 0;
}

void RtPrinterEndPage(std::source_location) {
  PrinterState& p = Printer();
  if (p.documentOpen) FlushPage(p);
}

void RtPrinterEndDoc(std::source_location where) {
  PrinterState& p = Printer();
  if (!p.documentOpen) return;
  FlushPage(p);
  cairo_surface_finish(p.pdf.get());
  const bool written =
      p.pagesWritten > 0 && cairo_surface_status(p.pdf.get()) == CAIRO_STATUS_SUCCESS;
  const std::string bytes = std::move(p.pdfBytes);
  const std::string title = p.documentName;
  DropDocument(p);
  if (written) WritePrinted(p, bytes, title, where);
}

void RtPrinterAbort() { DropDocument(Printer()); }

void RtPrinterRelease() {
  PrinterState& p = Printer();
  DropDocument(p);
  p.gfx = DefaultPrinterGraphics();
}
