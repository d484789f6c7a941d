#include "platform/qt/help_viewer.h"

#include <QUrl>
#include <QVBoxLayout>

namespace fenmark::platform::qt {

QtHelpViewer::QtHelpViewer(Dialogs& dialogs) : dialogs_(dialogs) {}

QtHelpViewer::~QtHelpViewer() { delete window_; }

void QtHelpViewer::showHelp(const std::string& helpFile, int /*command*/) {
    const std::string page = helpIndexFor(helpFile);
    if (page.empty()) {
        dialogs_.message({kHelpMissingMessage, kProgramTitle, Buttons::Ok, Icon::Information});
        return;
    }
    if (window_ == nullptr) {
        // A top-level window of its own: it must not close with, or block,
        // the window that asked for it.
        window_ = new QWidget(nullptr, Qt::Window);
        window_->setObjectName(QStringLiteral("helpWindow"));
        window_->setAttribute(Qt::WA_DeleteOnClose);
        window_->setWindowTitle(QString::fromUtf8(kHelpWindowTitle));
        browser_ = new QTextBrowser(window_);
        browser_->setObjectName(QStringLiteral("helpBrowser"));
        browser_->setOpenExternalLinks(true);
        auto* layout = new QVBoxLayout(window_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser_);
        window_->resize(760, 640);
    }
    browser_->setSource(QUrl::fromLocalFile(QString::fromStdString(page)));
    window_->show();
    window_->raise();
    window_->activateWindow();
}

}  // namespace fenmark::platform::qt
