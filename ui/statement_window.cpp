#include "ui/statement_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <algorithm>

#include "platform/qt/grid_model.h"
#include "ui/mirror.h"

namespace fenmark::ui {

namespace {

// The layout is in twips; a 96 dpi screen shows 15 of them per pixel.
constexpr int kTwips = 15;

QRect pixels(const platform::Geometry& g) {
    return {g.left / kTwips, g.top / kTwips, g.width / kTwips, g.height / kTwips};
}

QColor color(platform::Rgb rgb) { return QColor(QRgb(rgb)); }

// Twips for a length in pixels.
int twips(int pixels) { return pixels * kTwips; }

// The headings of the statement carry the form's letters ㋑ to ㋦; the IPA
// fonts lack ㋷ and ㋦, Noto Sans CJK JP has them all.
QFont headingFont(const QFont& base) {
    QFont font = base;
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAGothic")});
    return font;
}

// How many rows the grid shows at least, below its heading.
constexpr int kLeastGridRows = 3;

// A name longer than the online system takes must not push the other
// fields out of sight; the cell's tool tip explains it.
constexpr int kWidestOnlineColumn = 320;

// The online list, whose problem cells tell their problem as a tool tip.
class OnlineGridModel : public platform::qt::GridTableModel {
  public:
    OnlineGridModel(const yearend::StatementWindowModel& window, QObject* parent)
        : GridTableModel(window.grdOnline, parent), window_(window) {}

    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::ToolTipRole) return GridTableModel::data(index, role);
        if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
        const std::string problem = window_.onlineProblemAt(gridRow(index.row()), index.column());
        if (problem.empty()) return {};
        return fromUtf8(problem);
    }

  private:
    const yearend::StatementWindowModel& window_;
};

// The design font where it is installed, else the nearest Japanese gothic.
QFont designFont(const QFont& base, const yearend::ControlLayout& entry) {
    QFont font = base;
    if (entry.fontName.empty()) return font;
    font.setFamilies({fromUtf8(entry.fontName), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    font.setPointSizeF(entry.fontSize);
    return font;
}

void applyLook(QWidget* widget, const yearend::ControlLayout& entry) {
    widget->setObjectName(fromUtf8(entry.name));
    widget->setFont(designFont(widget->font(), entry));
    QPalette palette = widget->palette();
    if (entry.foreColor) {
        palette.setColor(QPalette::WindowText, color(*entry.foreColor));
        palette.setColor(QPalette::ButtonText, color(*entry.foreColor));
    }
    if (entry.backColor) {
        palette.setColor(QPalette::Button, color(*entry.backColor));
        palette.setColor(QPalette::Window, color(*entry.backColor));
    }
    widget->setPalette(palette);
    widget->setFocusPolicy(entry.tabIndex >= 0 ? Qt::StrongFocus : Qt::NoFocus);
}

}  // namespace

StatementWindow::StatementWindow(reg::ProgramState& state, platform::Dialogs& dialogs,
                                 yearend::StatementSettings settings,
                                 yearend::StatementWindowHost* host,
                                 platform::PrintDevice* printDevice, QWidget* parent)
    : QWidget(parent), model_(state, dialogs, std::move(settings), host, printDevice) {
    setObjectName(fromUtf8(model_.Caption.name));

    for (const yearend::ControlLayout& entry : model_.layout) {
        QWidget* widget = nullptr;
        platform::Control* control = model_.control(entry.name);
        if (entry.name == model_.txtGetYe.name) {
            txtGetYe_ = new QLineEdit(this);
            txtGetYe_->installEventFilter(this);
            connect(txtGetYe_, &QLineEdit::textEdited, this, [this](const QString& text) {
                model_.setTxtGetYe(text.toStdString());
                sync();
            });
            widget = txtGetYe_;
        } else if (entry.name == model_.cboEra.name) {
            cboEra_ = new QComboBox(this);
            for (const std::string& item : model_.cboEra.items) cboEra_->addItem(fromUtf8(item));
            connect(cboEra_, &QComboBox::activated, this, [this](int index) {
                model_.selectEra(index);
                sync();
            });
            widget = cboEra_;
        } else if (entry.name == model_.cboForm.name) {
            cboForm_ = new QComboBox(this);
            for (const std::string& item : model_.cboForm.items) cboForm_->addItem(fromUtf8(item));
            connect(cboForm_, &QComboBox::activated, this, [this](int index) {
                model_.selectForm(index);
                sync();
            });
            widget = cboForm_;
        } else if (entry.name == "Fxg3") {
            fxg3_ = new platform::qt::GridTableView(this);
            fxg3Model_ = new platform::qt::GridTableModel(model_.Fxg3, fxg3_);
            fxg3_->setModel(fxg3Model_);
            widget = fxg3_;
        } else if (entry.name == model_.tabView.name) {
            tabView_ = new QTabBar(this);
            tabView_->setExpanding(false);
            tabView_->setDrawBase(true);
            for (const std::string& item : model_.tabView.items) tabView_->addTab(fromUtf8(item));
            connect(tabView_, &QTabBar::currentChanged, this, [this](int index) {
                model_.selectView(index);
                sync();
                if (model_.onlineShown()) fitWindowTo(*grdOnline_);
            });
            widget = tabView_;
        } else if (entry.name == "grdOnline") {
            grdOnline_ = new platform::qt::GridTableView(this);
            grdOnlineModel_ = new OnlineGridModel(model_, grdOnline_);
            grdOnline_->setModel(grdOnlineModel_);
            // A cell chosen by the keyboard or the mouse, and one clicked
            // again after something else went on the clipboard.
            connect(grdOnline_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                    [this](const QItemSelection& selected) {
                        if (selected.indexes().size() == 1) {
                            chooseOnlineCell(selected.indexes().front());
                        }
                    });
            connect(grdOnline_, &QAbstractItemView::clicked, this,
                    [this](const QModelIndex& index) { chooseOnlineCell(index); });
            widget = grdOnline_;
        } else if (entry.name.starts_with("cmd")) {
            auto* button = new QPushButton(this);
            button->setAutoDefault(false);
            const std::string name = entry.name;
            connect(button, &QPushButton::clicked, this, [this, name] { click(name); });
            buttons_.emplace_back(control, button);
            widget = button;
        } else if (entry.name.starts_with("Picture")) {
            auto* swatch = new QFrame(this);
            swatch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            swatch->setAutoFillBackground(true);
            swatches_.emplace_back(control, swatch);
            widget = swatch;
        } else {
            auto* label = new QLabel(this);
            if (entry.wrapLines > 0) {
                label->setWordWrap(true);
                label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            } else {
                label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            }
            labels_.emplace_back(control, label);
            widget = label;
        }
        applyLook(widget, entry);
        widgets_.emplace_back(entry.name, widget);
    }
    for (platform::qt::GridTableView* grid : {fxg3_, grdOnline_}) {
        grid->setFocusPolicy(Qt::StrongFocus);
        grid->horizontalHeader()->setFont(headingFont(grid->font()));
        grid->frozenView()->horizontalHeader()->setFont(headingFont(grid->font()));
    }

    const std::vector<std::string> order = model_.tabOrder();
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(widgetNamed(order[i - 1]), widgetNamed(order[i]));
    }
    setTabOrder(widgetNamed(order.back()), fxg3_);
    setTabOrder(fxg3_, grdOnline_);

    model_.Form_Load();
    resize(yearend::kClientWidth / kTwips, yearend::kClientHeight / kTwips);
    sync();
    fitGrid();
    fitScreenHeight();
    resizeControls();
    widgetNamed(model_.focus)->setFocus(Qt::OtherFocusReason);
}

QRect StatementWindow::screenArea() const {
    const QScreen* screen =
        this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

void StatementWindow::fitScreenHeight() {
    const QRect area = screenArea();
    if (!area.isValid()) return;
    // The frame as far as it is known; before the window is shown, none.
    const int frameWidth = frameGeometry().width() - width();
    const int frameHeight = frameGeometry().height() - height();
    resize(width(), std::max(area.height() - frameHeight, minimumHeight()));
    move(area.left() + std::max((area.width() - width() - frameWidth) / 2, 0), area.top());
}

void StatementWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Shown, the window has its frame: it must still fit the screen.
    if (!fittedShown_) {
        fittedShown_ = true;
        fitScreenHeight();
    }
}

QSize StatementWindow::neededSize(const yearend::ControlLayout& entry, QWidget* widget) const {
    if (widget == fxg3_ || widget == grdOnline_) {
        // The heading and a few rows, and the scroll bar across.
        const auto* grid = static_cast<const platform::qt::GridTableView*>(widget);
        const int rows = grid->verticalHeader()->defaultSectionSize() * kLeastGridRows;
        return {0, 2 * grid->frameWidth() + grid->horizontalHeader()->sizeHint().height() + rows +
                       grid->horizontalScrollBar()->sizeHint().height()};
    }
    if (widget == tabView_) return tabView_->sizeHint();
    const QFontMetrics metrics(widget->font());
    if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && entry.wrapLines > 0) {
        // As wide as the layout makes it; the caption wraps.
        const QMargins margins = label->contentsMargins();
        return {0, entry.wrapLines * metrics.lineSpacing() + margins.top() + margins.bottom() +
                       2 * label->margin() + 2};
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        const int text = std::max(metrics.horizontalAdvance(label->text()),
                                  metrics.horizontalAdvance(fromUtf8(entry.widthText)));
        const QMargins margins = label->contentsMargins();
        return {text + margins.left() + margins.right() + 2 * label->margin() + 2,
                metrics.height() + margins.top() + margins.bottom() + 2 * label->margin()};
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        return {metrics.horizontalAdvance(button->text()) + 16, button->sizeHint().height()};
    }
    if (widget == txtGetYe_) {
        // Two digits of a year.
        return {metrics.horizontalAdvance(QStringLiteral("88")) + 12,
                txtGetYe_->sizeHint().height()};
    }
    if (qobject_cast<QComboBox*>(widget) != nullptr) return widget->sizeHint();
    return {};
}

QWidget* StatementWindow::widgetNamed(const std::string& name) const {
    for (const auto& [widgetName, widget] : widgets_) {
        if (widgetName == name) return widget;
    }
    return nullptr;
}

void StatementWindow::sync() {
    setWindowTitle(fromUtf8(model_.Caption.caption));
    for (auto& [control, label] : labels_) {
        mirror(*control, label);
        label->setToolTip(fromUtf8(control->toolTip));
    }
    for (auto& [control, button] : buttons_) mirror(*control, button);
    for (auto& [control, swatch] : swatches_) swatch->setVisible(control->visible);
    {
        const QSignalBlocker blocker(txtGetYe_);
        const QString text = fromUtf8(model_.txtGetYe.text);
        if (txtGetYe_->text() != text) txtGetYe_->setText(text);
        txtGetYe_->setEnabled(model_.txtGetYe.enabled);
        txtGetYe_->setVisible(model_.txtGetYe.visible);
    }
    {
        const QSignalBlocker blocker(cboEra_);
        cboEra_->setCurrentIndex(model_.cboEra.listIndex);
        cboEra_->setEnabled(model_.cboEra.enabled);
        cboEra_->setVisible(model_.cboEra.visible);
    }
    {
        const QSignalBlocker blocker(cboForm_);
        cboForm_->setCurrentIndex(model_.cboForm.listIndex);
        cboForm_->setEnabled(model_.cboForm.enabled);
        cboForm_->setVisible(model_.cboForm.visible);
    }
    {
        const QSignalBlocker blocker(tabView_);
        tabView_->setCurrentIndex(model_.tabView.listIndex);
        tabView_->setVisible(model_.tabView.visible);
    }
    const bool newFigures = fxg3Model_->refresh();
    const bool newList = grdOnlineModel_->refresh();
    fxg3_->setVisible(model_.tableShown());
    grdOnline_->setVisible(model_.onlineShown());
    // The model lays the controls out by what their captions need in the
    // fonts they are shown in.
    for (const yearend::ControlLayout& entry : model_.layout) {
        const QSize needed = neededSize(entry, widgetNamed(entry.name));
        model_.setNeededSize(entry.name, twips(needed.width()), twips(needed.height()));
    }
    for (const yearend::ControlLayout& entry : model_.layout) {
        widgetNamed(entry.name)->setGeometry(pixels(entry.geometry));
    }
    const yearend::ClientSize least = model_.minimumClientSize();
    const QSize leastPixels((least.width + kTwips - 1) / kTwips,
                            (least.height + kTwips - 1) / kTwips);
    if (minimumSize() != leastPixels) setMinimumSize(leastPixels);
    // The figures of a statement are what the user copies into the return:
    // none of them may hide behind the scroll bar.
    if (newFigures && model_.Fxg3Visible) fitGrid();
    if (newList) fitOnlineColumns();
}

void StatementWindow::fitGrid() {
    fxg3_->resizeColumnsToContents();
    fitWindowTo(*fxg3_);
}

void StatementWindow::fitOnlineColumns() {
    grdOnline_->resizeColumnsToContents();
    for (int c = 0; c < grdOnlineModel_->columnCount(); ++c) {
        if (grdOnline_->columnWidth(c) > kWidestOnlineColumn) {
            grdOnline_->setColumnWidth(c, kWidestOnlineColumn);
        }
    }
}

void StatementWindow::chooseOnlineCell(const QModelIndex& index) {
    if (!index.isValid()) return;
    const std::string text =
        model_.grdOnline_Select(platform::qt::GridTableModel::gridRow(index.row()), index.column());
    if (!text.empty()) QGuiApplication::clipboard()->setText(fromUtf8(text));
    sync();
}

void StatementWindow::fitWindowTo(platform::qt::GridTableView& grid) {
    // Room for the vertical scroll bar as well, which a long register brings.
    int gridWidth = 2 * grid.frameWidth() + grid.verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < grid.model()->columnCount(); ++c) gridWidth += grid.columnWidth(c);
    // The resizing rule leaves the grid 300 twips narrower than the window.
    int wanted = gridWidth + 300 / kTwips;
    const QRect area = screenArea();
    if (area.isValid()) {
        wanted = std::min(wanted, area.width() - (frameGeometry().width() - width()));
    }
    if (wanted <= width()) return;
    resize(wanted, height());
    // Widened where it stands, the window must not run off the screen.
    const int overhang = frameGeometry().right() - area.right();
    if (area.isValid() && overhang > 0) move(std::max(x() - overhang, area.left()), y());
}

void StatementWindow::click(const std::string& name) {
    // The statement is computed at once; the pointer shows it is busy. The
    // printout keeps its own pointer, so that its questions are not asked
    // under the hourglass.
    const bool computing = name == model_.cmdOk.name;
    if (computing) QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool handled = model_.click(name);
    if (computing) QApplication::restoreOverrideCursor();
    if (handled) sync();
}

void StatementWindow::resizeControls() {
    model_.Form_Resize(width() * kTwips, height() * kTwips, isMinimized());
    sync();
}

void StatementWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    resizeControls();
}

void StatementWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) resizeControls();
}

bool StatementWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtGetYe_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        int code = 0;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            code = yearend::kEnterKey;
        } else if (key->text().size() == 1 && key->text().at(0).unicode() < 128) {
            code = key->text().at(0).unicode();
        }
        if (code != 0 && model_.txtGetYe_KeyPress(code) == 0) {
            if (QWidget* next = widgetNamed(model_.focus)) next->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void StatementWindow::closeEvent(QCloseEvent* event) {
    model_.unload();
    QWidget::closeEvent(event);
}

}  // namespace fenmark::ui
