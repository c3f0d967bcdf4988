#include "runtime/desktop_print.h"

#include <gtk/gtk.h>
#include <gtk/gtkunixprint.h>

#include <memory>
#include <string>

#include "runtime/errors.h"
#include "runtime/printer_state.h"
#include "runtime/runtime.h"
#include "runtime/text.h"

namespace rt {

namespace {

// How long a printer may take to accept a document.
constexpr guint kSendTimeoutSeconds = 60;

template <typename T>
struct Unref {
  void operator()(T* object) const { g_object_unref(object); }
};
template <typename T>
using Ref = std::unique_ptr<T, Unref<T>>;

// A reference of our own to a GTK object that someone else holds.
template <typename T>
Ref<T> Share(T* object) {
  return Ref<T>(object ? static_cast<T*>(g_object_ref(object)) : nullptr);
}

}  // namespace

struct DesktopPrinter {
  // The dialog's choice; null: the printer set-up's printer, looked up by name.
  Ref<GtkPrinter> chosen;
  // A "Print to File" choice has written its file.
  bool chosenFileWritten = false;
  // The settings and page last confirmed: the chosen printer's job options, and
  // where the next dialog opens.
  Ref<GtkPrintSettings> settings;
  Ref<GtkPageSetup> pageSetup;
};

void DesktopPrinterDeleter::operator()(DesktopPrinter* printer) const { delete printer; }

namespace {

DesktopPrinter& Desktop(PrinterState& p) {
  if (!p.desktop) p.desktop.reset(new DesktopPrinter);
  return *p.desktop;
}

// The page of the headless printer: A4 portrait with its margins.
Ref<GtkPageSetup> DefaultPageSetup() {
  const Sheet sheet;
  Ref<GtkPageSetup> setup(gtk_page_setup_new());
  GtkPaperSize* a4 = gtk_paper_size_new(GTK_PAPER_NAME_A4);
  gtk_page_setup_set_paper_size(setup.get(), a4);
  gtk_paper_size_free(a4);
  gtk_page_setup_set_left_margin(setup.get(), sheet.leftMm, GTK_UNIT_MM);
  gtk_page_setup_set_top_margin(setup.get(), sheet.topMm, GTK_UNIT_MM);
  gtk_page_setup_set_right_margin(
      setup.get(), sheet.paperWidthMm - sheet.leftMm - sheet.printableWidthMm, GTK_UNIT_MM);
  gtk_page_setup_set_bottom_margin(
      setup.get(), sheet.paperHeightMm - sheet.topMm - sheet.printableHeightMm, GTK_UNIT_MM);
  return setup;
}

// The sheet of a page as it is turned.
Sheet SheetOf(GtkPageSetup* setup) {
  Sheet sheet;
  sheet.paperWidthMm = gtk_page_setup_get_paper_width(setup, GTK_UNIT_MM);
  sheet.paperHeightMm = gtk_page_setup_get_paper_height(setup, GTK_UNIT_MM);
  sheet.leftMm = gtk_page_setup_get_left_margin(setup, GTK_UNIT_MM);
  sheet.topMm = gtk_page_setup_get_top_margin(setup, GTK_UNIT_MM);
  sheet.printableWidthMm = gtk_page_setup_get_page_width(setup, GTK_UNIT_MM);
  sheet.printableHeightMm = gtk_page_setup_get_page_height(setup, GTK_UNIT_MM);
  return sheet;
}

// The dialog's settings before anything was confirmed: the set-up's printer.
Ref<GtkPrintSettings> InitialSettings(const PrinterState& p) {
  Ref<GtkPrintSettings> settings(gtk_print_settings_new());
  if (!p.printerName.empty()) {
    gtk_print_settings_set_printer(settings.get(), Cp932ToUtf8(p.printerName).c_str());
  }
  return settings;
}

GtkPrintUnixDialog* NewPrintDialog(const PrinterState& p, const DesktopPrinter& d,
                                   GtkWindow* parent) {
  auto* dialog = GTK_PRINT_UNIX_DIALOG(gtk_print_unix_dialog_new(nullptr, parent));
  // The paper and its orientation are chosen in the same dialog.
  gtk_print_unix_dialog_set_embed_page_setup(dialog, TRUE);
  // The document is a finished PDF: "Print to File" offers only that format.
  gtk_print_unix_dialog_set_manual_capabilities(dialog, GTK_PRINT_CAPABILITY_GENERATE_PDF);
  gtk_print_unix_dialog_set_settings(
      dialog, d.settings ? d.settings.get() : InitialSettings(p).get());
  gtk_print_unix_dialog_set_page_setup(
      dialog, d.pageSetup ? d.pageSetup.get() : DefaultPageSetup().get());
  return dialog;
}

// ---- Sending a document ----

struct PrinterSearch {
  std::string name;  // UTF-8; empty: the default printer
  Ref<GtkPrinter> found;
};

gboolean MatchPrinter(GtkPrinter* printer, gpointer data) {
  auto* search = static_cast<PrinterSearch*>(data);
  // A file printer needs the dialog to say which file; by name only real printers.
  if (gtk_printer_is_virtual(printer)) return FALSE;
  const bool match = search->name.empty() ? gtk_printer_is_default(printer)
                                          : search->name == gtk_printer_get_name(printer);
  if (match) search->found = Share(printer);
  return match;
}

Ref<GtkPrinter> FindPrinter(const std::string& utf8Name) {
  PrinterSearch search{utf8Name, nullptr};
  gtk_enumerate_printers(MatchPrinter, &search, nullptr, TRUE);
  return std::move(search.found);
}

// What the printer answered; shared with GTK until it lets go of it.
struct Sending {
  bool done = false;
  std::string error;  // UTF-8; empty when the printer took the document
};
using SendingPtr = std::shared_ptr<Sending>;

void JobSent(GtkPrintJob*, gpointer data, const GError* error) {
  Sending& sending = **static_cast<SendingPtr*>(data);
  sending.done = true;
  if (error) sending.error = error->message ? error->message : "print job failed";
}

void ForgetSending(gpointer data) { delete static_cast<SendingPtr*>(data); }

gboolean SendTimedOut(gpointer data) {
  *static_cast<bool*>(data) = true;
  return G_SOURCE_REMOVE;
}

// Sends the file and handles the window system's events until the printer has
// answered or the time is up; the error text, empty on success.
std::string SendAndWait(GtkPrintJob* job, const std::string& pdfPath) {
  GError* error = nullptr;
  if (!gtk_print_job_set_source_file(job, pdfPath.c_str(), &error)) {
    std::string message = error->message;
    g_error_free(error);
    return message;
  }
  const SendingPtr sending = std::make_shared<Sending>();
  gtk_print_job_send(job, JobSent, new SendingPtr(sending), ForgetSending);
  bool timedOut = false;
  const guint timer = g_timeout_add_seconds(kSendTimeoutSeconds, SendTimedOut, &timedOut);
  while (!sending->done && !timedOut) g_main_context_iteration(nullptr, TRUE);
  if (!timedOut) g_source_remove(timer);
  if (timedOut) return "the printer did not answer";
  return sending->error;
}

// The printer, settings and page of the next job; no printer when the document
// stays a PDF file only.
struct Destination {
  Ref<GtkPrinter> printer;
  Ref<GtkPrintSettings> settings;
  Ref<GtkPageSetup> pageSetup;
};

Destination DestinationFor(const PrinterState& p, DesktopPrinter& d) {
  if (!d.chosen) {
    Ref<GtkPrinter> printer = FindPrinter(Cp932ToUtf8(p.printerName));
    if (!printer) return {};
    return {std::move(printer), Ref<GtkPrintSettings>(gtk_print_settings_new()),
            DefaultPageSetup()};
  }
  if (gtk_printer_is_virtual(d.chosen.get())) {
    // The file was confirmed for one document; another would replace it unasked.
    if (d.chosenFileWritten) return {};
    d.chosenFileWritten = true;
  }
  // A job writes its printer's options into its settings: it gets a copy.
  return {Share(d.chosen.get()), Ref<GtkPrintSettings>(gtk_print_settings_copy(d.settings.get())),
          Share(d.pageSetup.get())};
}

}  // namespace

bool ChooseDesktopPrinter(PrinterState& p, GtkWindow* parent) {
  DesktopPrinter& d = Desktop(p);
  GtkPrintUnixDialog* dialog = NewPrintDialog(p, d, parent);
  const int response = gtk_dialog_run(GTK_DIALOG(dialog));
  GtkPrinter* printer = gtk_print_unix_dialog_get_selected_printer(dialog);
  const bool confirmed = response == GTK_RESPONSE_OK && printer;
  if (confirmed) {
    d.chosen = Share(printer);
    d.chosenFileWritten = false;
    d.settings.reset(gtk_print_unix_dialog_get_settings(dialog));
    d.pageSetup.reset(gtk_page_setup_copy(gtk_print_unix_dialog_get_page_setup(dialog)));
    p.sheet = SheetOf(d.pageSetup.get());
  }
  gtk_widget_destroy(GTK_WIDGET(dialog));
  return confirmed;
}

void ForgetChosenPrinter(PrinterState& p) {
  p.sheet = Sheet();
  if (p.desktop) p.desktop->chosen.reset();
}

void SendToDesktopPrinter(PrinterState& p, const std::string& pdfPath, std::string_view title,
                          std::source_location where) {
  const Destination to = DestinationFor(p, Desktop(p));
  if (!to.printer) return;
  const Ref<GtkPrintJob> job(gtk_print_job_new(Cp932ToUtf8(title).c_str(), to.printer.get(),
                                               to.settings.get(), to.pageSetup.get()));
  const std::string error = SendAndWait(job.get(), pdfPath);
  const std::string printerName = gtk_printer_get_name(to.printer.get());
  if (!error.empty()) {
    RtNote("[printer] " + printerName + ": " + error);
    RtRaise(kErrDeviceFault, where);
  }
  RtNote("[printer] " + printerName);
}

}  // namespace rt
