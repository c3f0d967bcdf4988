// GTK's print dialog driven on a test display. Only GTK's own "Print to File"
// printer is loaded (GTK_PRINT_BACKENDS=file): no test ever depends on, or
// prints to, a printer of the machine, and the dialog shows the same printers
// everywhere.
#include "runtime/desktop_print.h"

#include <gtk/gtk.h>
#include <gtk/gtkunixprint.h>

#include <functional>
#include <string>

#include "runtime/desktop.h"
#include "runtime/errors.h"
#include "runtime/graphics.h"
#include "runtime/printer.h"
#include "runtime/printer_state.h"
#include "runtime/runtime.h"
#include "support/printed_pages.h"
#include "support/raised_error.h"
#include "temp_folder.h"
#include "test_display.h"

namespace {

constexpr RtWindowId kPrinter = RtWindowId::Printer;
constexpr char kFilePrinter[] = "Print to File";

// Answers the print dialog while it runs: `step` is called every 20 ms with the
// open dialog and returns the response to give, or GTK_RESPONSE_NONE to wait on.
// A dialog still open after 10 s is cancelled and the test fails.
class DialogDriver {
 public:
  using Step = std::function<int(GtkPrintUnixDialog*)>;
  explicit DialogDriver(Step step) : step_(std::move(step)) {
    timer_ = g_timeout_add(kTickMs, Tick, this);
  }
  ~DialogDriver() {
    if (timer_) g_source_remove(timer_);
  }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  bool answered() const { return answered_; }

 private:
  static constexpr int kTickMs = 20;
  static constexpr int kGiveUpMs = 10000;

  static GtkPrintUnixDialog* OpenDialog() {
    GList* windows = gtk_window_list_toplevels();
    GtkPrintUnixDialog* found = nullptr;
    for (GList* w = windows; w && !found; w = w->next) {
      if (GTK_IS_PRINT_UNIX_DIALOG(w->data) && gtk_widget_get_visible(GTK_WIDGET(w->data)))
        found = GTK_PRINT_UNIX_DIALOG(w->data);
    }
    g_list_free(windows);
    return found;
  }

  static gboolean Tick(gpointer data) {
    auto* self = static_cast<DialogDriver*>(data);
    GtkPrintUnixDialog* dialog = OpenDialog();
    if (!dialog) return G_SOURCE_CONTINUE;
    self->waitedMs_ += kTickMs;
    int response = self->step_(dialog);
    if (response == GTK_RESPONSE_NONE && self->waitedMs_ < kGiveUpMs) return G_SOURCE_CONTINUE;
    if (response == GTK_RESPONSE_NONE) {
      ADD_FAILURE() << "the print dialog was never ready";
      response = GTK_RESPONSE_CANCEL;
    } else {
      self->answered_ = true;
    }
    self->timer_ = 0;
    gtk_dialog_response(GTK_DIALOG(dialog), response);
    return G_SOURCE_REMOVE;
  }

  Step step_;
  guint timer_ = 0;
  int waitedMs_ = 0;
  bool answered_ = false;
};

std::string SelectedPrinter(GtkPrintUnixDialog* dialog) {
  GtkPrinter* printer = gtk_print_unix_dialog_get_selected_printer(dialog);
  return printer ? gtk_printer_get_name(printer) : "";
}

// Chooses "Print to File" writing `uri`, on `paper` in `orientation`, and confirms.
DialogDriver::Step PrintToFile(std::string uri, const char* paper,
                               GtkPageOrientation orientation) {
  bool set = false;
  return [=](GtkPrintUnixDialog* dialog) mutable {
    if (!set) {
      GtkPrintSettings* settings = gtk_print_settings_new();
      gtk_print_settings_set_printer(settings, kFilePrinter);
      gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_URI, uri.c_str());
      gtk_print_unix_dialog_set_settings(dialog, settings);
      g_object_unref(settings);
      GtkPageSetup* page = gtk_page_setup_new();
      GtkPaperSize* size = gtk_paper_size_new(paper);
      gtk_page_setup_set_paper_size_and_default_margins(page, size);
      gtk_paper_size_free(size);
      gtk_page_setup_set_orientation(page, orientation);
      gtk_print_unix_dialog_set_page_setup(dialog, page);
      g_object_unref(page);
      set = true;
    }
    return SelectedPrinter(dialog) == kFilePrinter ? GTK_RESPONSE_OK : GTK_RESPONSE_NONE;
  };
}

// Gives `response` at once.
DialogDriver::Step Answer(int response) {
  return [response](GtkPrintUnixDialog*) { return response; };
}

class DesktopPrintTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { setenv("GTK_PRINT_BACKENDS", "file", 1); }

  void SetUp() override {
    if (!testing_support::TestDisplay::Ready()) GTEST_SKIP() << "no display server can be started";
    rt::SetPrinterFolder(folder.path());
  }

  // Runs `body` with GTK on the test display, in a process of its own.
  static void OnDisplay(const std::function<void()>& body) {
    testing_support::InChildProcess([&] {
      ASSERT_TRUE(rt::DesktopAvailable());
      body();
    });
  }

  bool Choose(DialogDriver::Step step) {
    DialogDriver driver(std::move(step));
    const bool confirmed = rt::ChooseDesktopPrinter(printer(), nullptr);
    EXPECT_TRUE(driver.answered());
    return confirmed;
  }

  // A one-page document with a line of text.
  static void PrintDocument(std::string_view name) {
    RtPrinterStartDoc(name);
    RtPrinterStartPage();
    RtPrintToWindow(kPrinter, "page", true);
    RtPrinterEndDoc();
  }

  std::string FileUri(const std::string& name) const { return "file://" + (folder / name); }
  std::string Read(const std::string& name) const { return ReadHostFile(folder / name); }
  ::testing::AssertionResult SameFile(const std::string& a, const std::string& b) const {
    if (Read(a) == Read(b)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << a << " and " << b << " differ";
  }
  PrinterState& printer() { return *runtime.printer; }

  // The page size pdfinfo reads from a printed file ("595.276 x 419.528 pts (A5)").
  std::string PageSize(const std::string& name) const {
    std::string info = CommandOutput("pdfinfo '" + (folder / name) + "' 2>&1");
    const size_t at = info.find("Page size:");
    if (at == std::string::npos) return info;
    info = info.substr(at + 10, info.find('\n', at) - at - 10);
    return info.substr(info.find_first_not_of(' '));
  }

  TempFolder folder;
  Runtime runtime;
  RuntimeScope scope{runtime};
};

TEST_F(DesktopPrintTest, AChosenFileGetsTheDocumentOnTheChosenPage) {
  OnDisplay([&] {
    ASSERT_TRUE(Choose(PrintToFile(FileUri("chosen.pdf"), GTK_PAPER_NAME_A5,
                                   GTK_PAGE_ORIENTATION_LANDSCAPE)));
    // A5 turned (210 x 148 mm) less GTK's default margins of 6.35 mm each side.
    EXPECT_EQ(RtDeviceCaps(kCapPrintableWidthMm), 197);
    EXPECT_EQ(RtDeviceCaps(kCapPrintableHeightMm), 135);

    PrintDocument("測量");
    EXPECT_EQ(runtime.notes, (std::vector<std::string>{"[print] print-001.pdf",
                                                       std::string("[printer] ") + kFilePrinter}));
    EXPECT_FALSE(Read("print-001.pdf").empty());
    EXPECT_TRUE(SameFile("chosen.pdf", "print-001.pdf"));
    EXPECT_EQ(PageSize("chosen.pdf"), "595.276 x 419.528 pts");
  });
}

TEST_F(DesktopPrintTest, AChosenFileTakesOneDocumentOnly) {
  OnDisplay([&] {
    ASSERT_TRUE(Choose(PrintToFile(FileUri("chosen.pdf"), GTK_PAPER_NAME_A4,
                                   GTK_PAGE_ORIENTATION_PORTRAIT)));
    PrintDocument("first");
    RtHardCopy(RtWindowId::View, 2, 0);
    PrintDocument("third");
    EXPECT_EQ(runtime.notes,
              (std::vector<std::string>{"[print] print-001.pdf",
                                        std::string("[printer] ") + kFilePrinter,
                                        "[print] print-002.pdf", "[print] print-003.pdf"}));
    EXPECT_TRUE(SameFile("chosen.pdf", "print-001.pdf"));
  });
}

TEST_F(DesktopPrintTest, CancelledOrClosedDialogChangesNothing) {
  OnDisplay([&] {
    for (int response : {GTK_RESPONSE_CANCEL, GTK_RESPONSE_DELETE_EVENT}) {
      EXPECT_FALSE(Choose(Answer(response)));
      EXPECT_EQ(RtDeviceCaps(kCapPrintableWidthMm), 200);
      EXPECT_EQ(RtDeviceCaps(kCapPrintableHeightMm), 287);
    }
    // Without a choice the set-up's default printer takes the documents: with only
    // the file printer there is none, so the PDF file is the print.
    PrintDocument("job");
    EXPECT_EQ(runtime.notes, (std::vector<std::string>{"[print] print-001.pdf"}));
  });
}

TEST_F(DesktopPrintTest, TheDialogOpensAsLastConfirmedAndACancelKeepsTheChoice) {
  OnDisplay([&] {
    ASSERT_TRUE(Choose(PrintToFile(FileUri("chosen.pdf"), GTK_PAPER_NAME_A5,
                                   GTK_PAGE_ORIENTATION_LANDSCAPE)));
    std::string reopenedWith;
    GtkPageOrientation orientation = GTK_PAGE_ORIENTATION_PORTRAIT;
    EXPECT_FALSE(Choose([&](GtkPrintUnixDialog* dialog) {
      reopenedWith = SelectedPrinter(dialog);
      orientation = gtk_page_setup_get_orientation(gtk_print_unix_dialog_get_page_setup(dialog));
      return reopenedWith.empty() ? GTK_RESPONSE_NONE : GTK_RESPONSE_CANCEL;
    }));
    EXPECT_EQ(reopenedWith, kFilePrinter);
    EXPECT_EQ(orientation, GTK_PAGE_ORIENTATION_LANDSCAPE);
    EXPECT_EQ(RtDeviceCaps(kCapPrintableHeightMm), 135);
    PrintDocument("job");
    EXPECT_TRUE(SameFile("chosen.pdf", "print-001.pdf"));
  });
}

TEST_F(DesktopPrintTest, ASetUpForgetsTheChoice) {
  OnDisplay([&] {
    ASSERT_TRUE(Choose(PrintToFile(FileUri("chosen.pdf"), GTK_PAPER_NAME_A5,
                                   GTK_PAGE_ORIENTATION_LANDSCAPE)));
    RtPrinterSetup("");
    EXPECT_EQ(RtDeviceCaps(kCapPrintableWidthMm), 200);
    EXPECT_EQ(RtDeviceCaps(kCapPrintableHeightMm), 287);
    PrintDocument("job");
    EXPECT_EQ(runtime.notes, (std::vector<std::string>{"[print] print-001.pdf"}));
    EXPECT_EQ(PageSize("print-001.pdf"), "595.276 x 841.89 pts (A4)");
  });
}

TEST_F(DesktopPrintTest, AFileThatCannotBeWrittenIsAPrinterError) {
  OnDisplay([&] {
    ASSERT_TRUE(Choose(PrintToFile(FileUri("missing/chosen.pdf"), GTK_PAPER_NAME_A4,
                                   GTK_PAGE_ORIENTATION_PORTRAIT)));
    RtPrinterStartDoc("job");
    RtPrinterStartPage();
    RtPrintToWindow(kPrinter, "page", true);
    EXPECT_EQ(RaisedError([] { RtPrinterEndDoc(); }), kErrDeviceFault);
    // The PDF file was written before the printer refused it.
    EXPECT_FALSE(Read("print-001.pdf").empty());
  });
}

// The dialog as the program meets it, with the desktop backend running.
TEST_F(DesktopPrintTest, TheProgramsPrintDialogOpensOverTheMainWindow) {
  OnDisplay([&] {
    const int status = rt::RunDesktop([&](Runtime& desktop) {
      rt::SetPrinterFolder(folder.path());
      // Before any choice a hard copy goes to the default printer; there is none.
      RtHardCopy(RtWindowId::View, 2, 0);

      GtkWindow* parent = nullptr;
      {
        DialogDriver driver([&](GtkPrintUnixDialog* dialog) {
          parent = gtk_window_get_transient_for(GTK_WINDOW(dialog));
          return GTK_RESPONSE_CANCEL;
        });
        EXPECT_FALSE(RtSelectPrinter());
      }
      EXPECT_EQ(parent, rt::DesktopMainWindow());
      {
        DialogDriver driver(
            PrintToFile(FileUri("chosen.pdf"), GTK_PAPER_NAME_A4, GTK_PAGE_ORIENTATION_PORTRAIT));
        EXPECT_TRUE(RtSelectPrinter());
      }
      PrintDocument("job");
      const std::vector<std::string> notes = {"[print] print-001.pdf", "[print] print-002.pdf",
                                              std::string("[printer] ") + kFilePrinter};
      EXPECT_EQ(desktop.notes, notes);
      EXPECT_TRUE(SameFile("chosen.pdf", "print-002.pdf"));
      return 0;
    });
    EXPECT_EQ(status, 0);
  });
}

}  // namespace
