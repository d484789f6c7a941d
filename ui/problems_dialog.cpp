#include "ui/problems_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "register/main_window_csv.h"
#include "ui/mirror.h"

namespace fenmark::ui {

ProblemsDialog::ProblemsDialog(const reg::ProblemReport& report, QWidget* parent)
    : QDialog(parent), report_(report) {
    setObjectName(QStringLiteral("dlgProblems"));
    setWindowTitle(fromUtf8(report_.title));

    heading_ = new QLabel(fromUtf8(report_.heading), this);
    heading_->setObjectName(QStringLiteral("lblHeading"));
    heading_->setWordWrap(true);

    lines_ = new QListWidget(this);
    lines_->setObjectName(QStringLiteral("lstProblems"));
    lines_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const std::string& line : report_.lines) lines_->addItem(fromUtf8(line));

    copy_ = new QPushButton(fromUtf8(reg::kProblemsCopyCaption), this);
    copy_->setObjectName(QStringLiteral("cmdCopy"));
    copy_->setAutoDefault(false);
    connect(copy_, &QPushButton::clicked, this, &ProblemsDialog::copyLines);
    close_ = new QPushButton(fromUtf8(reg::kProblemsCloseCaption), this);
    close_->setObjectName(QStringLiteral("cmdClose"));
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy_);
    buttons->addStretch(1);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(lines_, 1);
    layout->addLayout(buttons);

    // Wide enough for a line with a long name and its message, and tall
    // enough for a dozen lines before it scrolls.
    const QFontMetrics metrics(lines_->font());
    resize(std::max(metrics.horizontalAdvance(QString(44, QChar(0x8cc7))), 480),
           metrics.height() * 20);
}

void ProblemsDialog::copyLines() {
    QString text;
    for (const std::string& line : report_.lines) text += fromUtf8(line) + QLatin1Char('\n');
    QApplication::clipboard()->setText(text);
}

}  // namespace fenmark::ui
