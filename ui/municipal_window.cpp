#include "ui/municipal_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/grid_model.h"
#include "ui/mirror.h"

namespace fenmark::ui {

namespace {

// The size the window opens at where the screen has room.
constexpr int kDesignWidth = 1260;
constexpr int kDesignHeight = 860;

QWidget* swatch(QWidget* parent, platform::Rgb rgb, const char* name) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setFixedSize(28, 16);
    frame->setAutoFillBackground(true);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, QColor(QRgb(rgb)));
    frame->setPalette(palette);
    return frame;
}

void emphasise(QLabel* label) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
}

}  // namespace

MunicipalWindow::MunicipalWindow(const reg::ProgramState& state, platform::Dialogs& dialogs,
                                 yearend::MunicipalClock clock, yearend::MunicipalWindowHost* host,
                                 platform::PrintDevice* printDevice, QWidget* parent)
    : QWidget(parent), model_(state, dialogs, clock, host, printDevice) {
    setObjectName(fromUtf8(model_.Caption.name));
    auto* layout = new QVBoxLayout(this);

    // The boxes and the buttons.
    auto* top = new QHBoxLayout;
    top->addWidget(addLabel(model_.lblYear));
    txtYear_ = new QLineEdit(this);
    txtYear_->setObjectName(fromUtf8(model_.txtYear.name));
    txtYear_->setMaxLength(4);
    txtYear_->setFixedWidth(txtYear_->fontMetrics().horizontalAdvance(QStringLiteral("88888")) +
                            16);
    connect(txtYear_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.setTxtYear(text.toStdString());
        sync();
    });
    connect(txtYear_, &QLineEdit::returnPressed, this, [this] { click(model_.cmdShow.name); });
    top->addWidget(txtYear_);
    QLabel* date = addLabel(model_.lblDate);
    date->setMinimumWidth(
        date->fontMetrics().horizontalAdvance(QStringLiteral("平成31年1月1日現在")) + 8);
    top->addWidget(date);
    top->addWidget(addButton(model_.cmdShow));
    top->addSpacing(24);
    top->addWidget(addLabel(model_.lblRate));
    txtRate_ = new QLineEdit(this);
    txtRate_->setObjectName(fromUtf8(model_.txtRate.name));
    txtRate_->setFixedWidth(txtRate_->fontMetrics().horizontalAdvance(QStringLiteral("888.888")) +
                            16);
    connect(txtRate_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.setTxtRate(text.toStdString());
        sync();
    });
    connect(txtRate_, &QLineEdit::returnPressed, this, [this] { click(model_.cmdShow.name); });
    top->addWidget(txtRate_);
    top->addWidget(addLabel(model_.lblRateUnit));
    top->addStretch(1);
    top->addWidget(addButton(model_.cmdPrint));
    top->addWidget(addButton(model_.cmdClose));
    layout->addLayout(top);

    QLabel* heading = addLabel(model_.lblHeading);
    emphasise(heading);
    heading->setWordWrap(true);
    layout->addWidget(heading);

    // Whatever keeps an asset's value from being computed stands out.
    QLabel* warnings = addLabel(model_.lblWarnings);
    warnings->setWordWrap(true);
    warnings->setStyleSheet(
        QStringLiteral("QLabel { color: #b00000; background: #fff0f0; "
                       "border: 1px solid #d08080; padding: 4px; }"));
    emphasise(warnings);
    layout->addWidget(warnings);

    // The 種類別明細書 with its legend, and the assets not declared.
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabs"));
    auto* assetsPage = new QWidget(tabs_);
    assetsPage->setObjectName(fromUtf8(model_.tabAssets.name));
    auto* assetsLayout = new QVBoxLayout(assetsPage);
    assetsLayout->setContentsMargins(4, 4, 4, 4);
    fxg_ = addGrid(model_.Fxg, "Fxg", fxgModel_);
    fxg_->setParent(assetsPage);
    fxg_->horizontalHeader()->setStretchLastSection(true);
    assetsLayout->addWidget(fxg_, 1);
    auto* legend = new QHBoxLayout;
    lastYearSwatch_ = swatch(assetsPage, yearend::kMunicipalLastYearColor, "picLastYear");
    legend->addWidget(lastYearSwatch_);
    legend->addWidget(addLabel(model_.lblLastYearLegend));
    legend->addSpacing(24);
    removedSwatch_ = swatch(assetsPage, yearend::kMunicipalRemovedColor, "picRemoved");
    legend->addWidget(removedSwatch_);
    legend->addWidget(addLabel(model_.lblRemovedLegend));
    legend->addStretch(1);
    assetsLayout->addLayout(legend);
    tabs_->addTab(assetsPage, fromUtf8(model_.tabAssets.caption));

    auto* excludedPage = new QWidget(tabs_);
    excludedPage->setObjectName(fromUtf8(model_.tabExcluded.name));
    auto* excludedLayout = new QVBoxLayout(excludedPage);
    excludedLayout->setContentsMargins(4, 4, 4, 4);
    fxgExcluded_ = addGrid(model_.FxgExcluded, "FxgExcluded", fxgExcludedModel_);
    fxgExcluded_->setParent(excludedPage);
    fxgExcluded_->horizontalHeader()->setStretchLastSection(true);
    excludedLayout->addWidget(fxgExcluded_);
    tabs_->addTab(excludedPage, fromUtf8(model_.tabExcluded.caption));
    layout->addWidget(tabs_, 1);

    // The 申告書's table and the tax lines beside it.
    auto* bottom = new QHBoxLayout;
    auto* kinds = new QVBoxLayout;
    QLabel* kindsCaption = addLabel(model_.lblKinds);
    emphasise(kindsCaption);
    kinds->addWidget(kindsCaption);
    fxgKinds_ = addGrid(model_.FxgKinds, "FxgKinds", fxgKindsModel_);
    fxgKinds_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fxgKinds_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    kinds->addWidget(fxgKinds_);
    bottom->addLayout(kinds);
    // The tax lines start level with the table's heading.
    auto* tax = new QVBoxLayout;
    tax->addSpacing(kindsCaption->sizeHint().height() + std::max(kinds->spacing(), 0));
    for (platform::Control* line : {&model_.lblTotalValue, &model_.lblTaxBase, &model_.lblTax,
                                    &model_.lblExemption, &model_.lblTaxNote}) {
        QLabel* label = addLabel(*line);
        label->setWordWrap(true);
        if (line == &model_.lblTax) emphasise(label);
        if (line == &model_.lblExemption) {
            label->setStyleSheet(QStringLiteral("QLabel { color: #005a00; }"));
        }
        tax->addWidget(label);
    }
    tax->addStretch(1);
    bottom->addSpacing(16);
    bottom->addLayout(tax, 1);
    layout->addLayout(bottom);

    model_.Form_Load();
    sync();
    fitToScreen();
    txtYear_->setFocus(Qt::OtherFocusReason);
}

QLabel* MunicipalWindow::addLabel(platform::Control& control) {
    auto* label = new QLabel(this);
    label->setObjectName(fromUtf8(control.name));
    labels_.emplace_back(&control, label);
    return label;
}

QPushButton* MunicipalWindow::addButton(platform::Control& control) {
    auto* button = new QPushButton(this);
    button->setObjectName(fromUtf8(control.name));
    button->setAutoDefault(false);
    const std::string name = control.name;
    connect(button, &QPushButton::clicked, this, [this, name] { click(name); });
    buttons_.emplace_back(&control, button);
    return button;
}

platform::qt::GridTableView* MunicipalWindow::addGrid(const platform::Grid& grid, const char* name,
                                                      platform::qt::GridTableModel*& model) {
    auto* view = new platform::qt::GridTableView(this);
    view->setObjectName(QString::fromLatin1(name));
    model = new platform::qt::GridTableModel(grid, view);
    view->setModel(model);
    return view;
}

void MunicipalWindow::fitToScreen() {
    const QScreen* screen =
        this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect();
    if (!area.isValid()) {
        resize(kDesignWidth, kDesignHeight);
        return;
    }
    // Room for a frame the window has not got yet.
    const int width = std::min(kDesignWidth, area.width() - 16);
    const int height = std::min(kDesignHeight, area.height() - 40);
    resize(width, height);
    move(area.left() + (area.width() - width) / 2, area.top() + (area.height() - height) / 2);
}

void MunicipalWindow::sync() {
    setWindowTitle(fromUtf8(model_.Caption.caption));
    for (auto& [control, label] : labels_) mirror(*control, label);
    for (auto& [control, button] : buttons_) mirror(*control, button);
    mirror(model_.txtYear, txtYear_);
    mirror(model_.txtRate, txtRate_);
    lastYearSwatch_->setVisible(model_.lblLastYearLegend.visible);
    removedSwatch_->setVisible(model_.lblRemovedLegend.visible);
    tabs_->setTabText(0, fromUtf8(model_.tabAssets.caption));
    tabs_->setTabText(1, fromUtf8(model_.tabExcluded.caption));
    // New figures, new widths; the headings alone are fitted once at the
    // start.
    const bool first = !columnsFitted_;
    columnsFitted_ = true;
    if (fxgModel_->refresh() || first) fxg_->resizeColumnsToContents();
    if (fxgExcludedModel_->refresh() || first) fxgExcluded_->resizeColumnsToContents();
    if (fxgKindsModel_->refresh() || first) fxgKinds_->resizeColumnsToContents();
    fxgKinds_->setVisible(model_.FxgKindsVisible);
    // The 申告書's table shows whole: its heading, seven rows, no scrolling.
    int width = 2 * fxgKinds_->frameWidth();
    for (int c = 0; c < fxgKindsModel_->columnCount(); ++c) width += fxgKinds_->columnWidth(c);
    int height = 2 * fxgKinds_->frameWidth() + fxgKinds_->horizontalHeader()->sizeHint().height();
    for (int r = 0; r < fxgKindsModel_->rowCount(); ++r) height += fxgKinds_->rowHeight(r);
    fxgKinds_->setFixedSize(width, height);
}

void MunicipalWindow::click(const std::string& name) {
    const bool computing = name == model_.cmdShow.name;
    if (computing) QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool handled = model_.click(name);
    if (computing) QApplication::restoreOverrideCursor();
    if (handled) sync();
}

void MunicipalWindow::closeEvent(QCloseEvent* event) {
    model_.unload();
    QWidget::closeEvent(event);
}

}  // namespace fenmark::ui
