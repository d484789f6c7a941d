#include "output/print_support.h"

#include <exception>

#include "common/text.h"

namespace fenmark::output {

namespace {

double chars(std::string_view text) { return static_cast<double>(common::charCount(text)); }

// Restores the normal pointer however the print ends.
class BusyPointer {
  public:
    explicit BusyPointer(platform::PrintDevice& device) : device_(device) { device_.setBusy(true); }
    ~BusyPointer() { device_.setBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

  private:
    platform::PrintDevice& device_;
};

}  // namespace

double rightAligned(double rightEdge, std::string_view text) {
    return rightEdge - 100 * chars(text);
}

double rightAlignedCorrected(double rightEdge, std::string_view text) {
    const auto n = common::charCount(text);
    return rightAligned(rightEdge, text) + 70 * static_cast<double>(n / 4);
}

void printAt(platform::Printer& printer, const char* font, double points, double x, double y,
             const std::string& text) {
    printer.setFont(font, points);
    printer.setCurrentX(x);
    printer.setCurrentY(y);
    printer.print(text);
}

void runPrintCommand(platform::Dialogs& dialogs, platform::PrintDevice& device,
                     const platform::Message& question,
                     const std::function<void(platform::Printer&)>& document) {
    const platform::Answer answer = dialogs.message(question);
    if (question.buttons != platform::Buttons::Ok && answer != platform::Answer::Ok) return;
    if (!dialogs.printerSetup()) {
        dialogs.message({platform::kPrintFailedMessage});
        return;
    }
    try {
        const BusyPointer busy(device);
        device.printDocument(document);
    } catch (const std::exception&) {
        // The pointer is back to normal before the message shows.
        dialogs.message({platform::kPrintFailedMessage});
    }
}

}  // namespace fenmark::output
