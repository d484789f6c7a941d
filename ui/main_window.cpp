#include "ui/main_window.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/qt/grid_model.h"
#include "platform/qt/qt_dialogs.h"
#include "ui/about_box.h"
#include "ui/closing_month_dialog.h"
#include "ui/display_order_dialog.h"
#include "ui/earlier_versions_dialog.h"
#include "ui/entry_card_window.h"
#include "ui/mirror.h"
#include "ui/municipal_window.h"
#include "ui/problems_dialog.h"
#include "ui/schedule_window.h"
#include "ui/statement_window.h"

namespace fenmark::ui {

namespace {

// The buttons and the headings line up with the list's left edge and fill
// the band the list leaves free at the top of the window.
constexpr int kListLeft = 480 / kTwipsPerPixel;
constexpr int kListTop = 1200 / kTwipsPerPixel;
constexpr int kListRightMargin = 900 / kTwipsPerPixel - kListLeft;

constexpr int kIconSize = 20;
// The widest the name column grows, in full-width characters.
constexpr int kNameColumnLimit = 40;

void drawDownArrow(QPainter& p, qreal x, qreal top, qreal bottom) {
    p.setPen(QPen(QColor(0x20, 0x50, 0xa0), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(x, top), QPointF(x, bottom));
    p.drawLine(QPointF(x - 3, bottom - 3.5), QPointF(x, bottom));
    p.drawLine(QPointF(x + 3, bottom - 3.5), QPointF(x, bottom));
}

// The pictures of the sort buttons, drawn rather than shipped as files.
QIcon commandIcon(const std::string& name, qreal ratio) {
    QPixmap pixmap(QSize(kIconSize, kIconSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (name == "cmdSort1") {
        // Sort by type: three tags of different kinds, ordered downwards.
        const QColor kinds[] = {QColor(0xd0, 0x40, 0x40), QColor(0x40, 0x90, 0x40),
                                QColor(0xd0, 0xa0, 0x20)};
        for (int i = 0; i < 3; ++i) {
            p.setPen(Qt::NoPen);
            p.setBrush(kinds[i]);
            p.drawRoundedRect(QRectF(2, 2.5 + i * 5.5, 10, 4), 1, 1);
        }
        drawDownArrow(p, 16, 2.5, 17.5);
    } else if (name == "cmdSort2") {
        // Sort by date: a calendar page.
        p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 3.5, 11, 12));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xd0, 0x40, 0x40));
        p.drawRect(QRectF(2, 4, 10, 3));
        p.setBrush(QColor(0x60, 0x60, 0x60));
        for (int r = 0; r < 2; ++r) {
            for (int c = 0; c < 3; ++c) p.drawRect(QRectF(3.5 + c * 3, 9 + r * 3, 1.6, 1.6));
        }
        drawDownArrow(p, 16, 2.5, 17.5);
    } else if (name == "cmdRsort") {
        // Undo the sort: an arrow turning back.
        QPainterPath arc;
        arc.moveTo(5, 8);
        arc.cubicTo(8, 3, 16, 3.5, 16.5, 10);
        arc.cubicTo(17, 15, 12, 17.5, 8, 16);
        p.setPen(QPen(QColor(0x20, 0x50, 0xa0), 1.8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(arc);
        QPainterPath head;
        head.moveTo(2.5, 3.5);
        head.lineTo(8.5, 9.5);
        head.lineTo(2, 11);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x20, 0x50, 0xa0));
        p.drawPath(head);
    }
    p.end();
    return QIcon(pixmap);
}

}  // namespace

MainWindow::MainWindow(reg::ProgramState& state, platform::Dialogs& dialogs,
                       platform::HelpViewer& help, platform::PrintDevice& printDevice,
                       reg::Environment environment, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      printDevice_(printDevice),
      model_(state, dialogs, help, *this, printDevice, std::move(environment)) {
    setObjectName(fromUtf8(model_.Caption.name));
    buildMenus();
    buildControls();
    resize(1100, 700);
    sync();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus() {
    for (auto& [menu, items] : model_.menus()) {
        QMenu* qmenu = menuBar()->addMenu(fromUtf8(menu->caption));
        qmenu->setObjectName(fromUtf8(menu->name));
        qmenu->menuAction()->setObjectName(fromUtf8(menu->name));
        actions_.emplace_back(menu, qmenu->menuAction());
        for (platform::Control* item : items) {
            QAction* action = qmenu->addAction(fromUtf8(item->caption));
            action->setObjectName(fromUtf8(item->name));
            const std::string name = item->name;
            connect(action, &QAction::triggered, this, [this, name] { click(name); });
            actions_.emplace_back(item, action);
        }
    }
}

void MainWindow::buildControls() {
    canvas_ = new QWidget(this);
    canvas_->setObjectName(QStringLiteral("canvas"));
    setCentralWidget(canvas_);
    canvas_->installEventFilter(this);

    header_ = new QWidget(canvas_);
    QWidget* header = header_;
    header->setObjectName(QStringLiteral("header"));
    header->setFixedHeight(kListTop);
    auto* headerLayout = new QVBoxLayout(header);
    headerLayout->setContentsMargins(kListLeft, 6, kListRightMargin, 4);
    headerLayout->setSpacing(4);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(4);
    for (platform::Control* control : model_.buttons()) {
        auto* button = new QPushButton(header);
        button->setObjectName(fromUtf8(control->name));
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::TabFocus);
        if (control->caption.empty()) {
            button->setIcon(commandIcon(control->name, devicePixelRatioF()));
            button->setIconSize(QSize(kIconSize, kIconSize));
            button->setFixedWidth(34);
        } else {
            // Narrow windows squeeze the buttons down to their captions, never below.
            const int textWidth =
                button->fontMetrics().horizontalAdvance(fromUtf8(control->caption));
            button->setMinimumWidth(textWidth + 16);
        }
        const std::string name = control->name;
        connect(button, &QPushButton::clicked, this, [this, name] { click(name); });
        buttons_.emplace_back(control, button);
        // The exit button stands apart from the commands.
        if (control == &model_.cmdExit) buttonRow->addStretch(1);
        buttonRow->addWidget(button);
    }
    headerLayout->addLayout(buttonRow);

    auto makeLabel = [&](platform::Control& control) {
        auto* label = new QLabel(header);
        label->setObjectName(fromUtf8(control.name));
        labels_.emplace_back(&control, label);
        return label;
    };
    QLabel* label1 = makeLabel(model_.Label1);
    QFont headingFont = label1->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.15);
    label1->setFont(headingFont);
    QLabel* label2 = makeLabel(model_.Label2);
    QLabel* label3 = makeLabel(model_.Label3);
    QLabel* label4 = makeLabel(model_.Label4);

    combo1_ = new QComboBox(header);
    combo1_->setObjectName(fromUtf8(model_.Combo1.name));
    combo1_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // The closing month keeps its place whether or not the rounding list shows.
    QSizePolicy comboPolicy = combo1_->sizePolicy();
    comboPolicy.setRetainSizeWhenHidden(true);
    combo1_->setSizePolicy(comboPolicy);
    connect(combo1_, &QComboBox::activated, this, &MainWindow::combo1Activated);
    label4->setBuddy(combo1_);

    auto* labelRow = new QHBoxLayout;
    labelRow->setSpacing(4);
    labelRow->addWidget(label1, 0, Qt::AlignBottom);
    labelRow->addStretch(1);
    labelRow->addWidget(label2);
    labelRow->addWidget(label3);
    labelRow->addSpacing(28);
    labelRow->addWidget(label4);
    labelRow->addWidget(combo1_);
    headerLayout->addLayout(labelRow);

    fxg1_ = new platform::qt::GridTableView(canvas_);
    fxg1_->setObjectName(QStringLiteral("Fxg1"));
    fxg1Model_ = new platform::qt::GridTableModel(model_.Fxg1, fxg1_);
    fxg1_->setModel(fxg1Model_);

    setMinimumWidth(header->minimumSizeHint().width());
}

void MainWindow::centreOnScreen() {
    const QScreen* screen =
        this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    // A small screen gets a window that fits it; the layout gives way down
    // to the width the buttons need.
    resize(std::min(width(), area.width()), std::min(height(), area.height()));
    move(area.left() + std::max((area.width() - width()) / 2, 0),
         area.top() + std::max((area.height() - height()) / 2, 0));
}

void MainWindow::Form_Load() {
    centreOnScreen();
    model_.Form_Load();
    resizeList();
    sync();
}

void MainWindow::sync() {
    setWindowTitle(fromUtf8(model_.Caption.caption));
    for (auto& [control, button] : buttons_) mirror(*control, button);
    for (auto& [control, action] : actions_) {
        const QSignalBlocker blocker(action);
        action->setText(fromUtf8(control->caption));
        action->setToolTip(
            fromUtf8(control->toolTip.empty() ? control->caption : control->toolTip));
        action->setEnabled(control->enabled);
        action->setVisible(control->visible);
    }
    for (auto& [control, label] : labels_) mirror(*control, label);
    {
        const platform::ComboBox& combo = model_.Combo1;
        const QSignalBlocker blocker(combo1_);
        QStringList items;
        for (const std::string& item : combo.items) items << fromUtf8(item);
        QStringList shown;
        for (int i = 0; i < combo1_->count(); ++i) shown << combo1_->itemText(i);
        if (items != shown) {
            combo1_->clear();
            combo1_->addItems(items);
        }
        combo1_->setCurrentIndex(combo.listIndex);
        combo1_->setEnabled(combo.enabled);
        combo1_->setVisible(combo.visible);
    }
    {
        const QSignalBlocker blocker(fxg1_);
        if (fxg1Model_->refresh()) fitNameColumn();
        const platform::Geometry& g = model_.Fxg1Geometry;
        fxg1_->setGeometry(g.left / kTwipsPerPixel, g.top / kTwipsPerPixel,
                           g.width / kTwipsPerPixel, g.height / kTwipsPerPixel);
        fxg1_->setVisible(model_.Fxg1Visible);
    }
}

void MainWindow::fitNameColumn() {
    // The heading's blanks make room for a short name only; a name with the
    // note of its leaving (「売却した軽バン（売却 R. 8/6）」) needs more. The
    // column grows to its longest text up to a limit: it does not scroll,
    // and wider still it would leave no room for the columns that do.
    constexpr int kNameColumn = 1;
    const QAbstractItemModel* list = fxg1_->model();
    if (list == nullptr || list->columnCount() <= kNameColumn) return;
    const QFontMetrics metrics(fxg1_->font());
    int widest = 0;
    for (int row = 0; row < list->rowCount(); ++row) {
        const QString text = list->index(row, kNameColumn).data().toString();
        widest = std::max(widest, metrics.horizontalAdvance(text));
    }
    const int padding = metrics.horizontalAdvance(QStringLiteral("  ")) + 8;
    const int limit = metrics.horizontalAdvance(QString(kNameColumnLimit, QChar(0x8cc7)));
    const int wanted = std::min(widest + padding, limit);
    if (wanted > fxg1_->columnWidth(kNameColumn)) fxg1_->setColumnWidth(kNameColumn, wanted);
}

void MainWindow::click(const std::string& name) {
    model_.click(name);
    sync();
}

void MainWindow::combo1Activated(int index) {
    model_.Combo1_Click(index);
    sync();
}

void MainWindow::resizeList() {
    model_.Form_Resize(canvas_->width() * kTwipsPerPixel, canvas_->height() * kTwipsPerPixel,
                       isMinimized());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == canvas_ && event->type() == QEvent::Resize) {
        header_->setGeometry(0, 0, canvas_->width(), header_->height());
        resizeList();
        sync();
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::openWindow(reg::Window window) {
    switch (window) {
        case reg::Window::About: {
            AboutBox box(dialogs_, this);
            box.exec();
            return true;
        }
        case reg::Window::Schedule:
            return openSchedule();
        case reg::Window::ClosingMonth: {
            ClosingMonthDialog dialog(model_.state(), dialogs_, model_.environment(),
                                      {model_.Text1, model_.Label3}, this);
            dialog.exec();
            sync();
            return true;
        }
        case reg::Window::DisplayOrder: {
            auto* dialog = new DisplayOrderDialog(model_.state(), dialogs_, *this);
            connect(dialog, &QDialog::finished, dialog, &QObject::deleteLater);
            parentDialogsTo(dialog);
            dialog->Form_Load();
            dialog->show();
            return true;
        }
        case reg::Window::EntryCardNew:
        case reg::Window::EntryCard:
            EntryCardWindow::open(*this, model_.state(), dialogs_);
            return true;
        case reg::Window::Statement:
            return openStatement();
        case reg::Window::Municipal:
            return openMunicipal();
    }
    return false;
}

void MainWindow::hideMain() { hide(); }

std::optional<int> MainWindow::askYear(const reg::YearQuestion& question) {
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("dlgYear"));
    dialog.setWindowTitle(fromUtf8(question.title));
    dialog.setLabelText(fromUtf8(question.prompt));
    dialog.setInputMode(QInputDialog::IntInput);
    // Any four-digit year may be typed; the model judges it.
    dialog.setIntRange(1000, 9999);
    dialog.setIntValue(question.proposed);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.intValue();
}

std::optional<std::string> MainWindow::chooseEarlierVersion(const std::string& backupFolder,
                                                            const std::string& registerPath) {
    EarlierVersionsDialog dialog(backupFolder, registerPath, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.model().chosen();
}

std::optional<int> MainWindow::askChoice(const reg::ChoiceQuestion& question) {
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("dlgChoice"));
    dialog.setWindowTitle(fromUtf8(question.title));
    dialog.setLabelText(fromUtf8(question.prompt));
    QStringList choices;
    for (const std::string& choice : question.choices) choices << fromUtf8(choice);
    dialog.setComboBoxItems(choices);
    dialog.setComboBoxEditable(false);
    if (question.proposed >= 0 && question.proposed < choices.size()) {
        dialog.setTextValue(choices[question.proposed]);
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const qsizetype chosen = choices.indexOf(dialog.textValue());
    if (chosen < 0) return std::nullopt;
    return static_cast<int>(chosen);
}

bool MainWindow::showProblems(const reg::ProblemReport& report) {
    ProblemsDialog dialog(report, this);
    dialog.exec();
    return true;
}

bool MainWindow::openSchedule() {
    schedule::ScheduleSettings settings{model_.state().closingMonth, model_.roundingMode(),
                                        schedule::systemCalendarYear()};
    auto* window =
        new ScheduleWindow(model_.state(), dialogs_, std::move(settings), this, &printDevice_);
    window->setAttribute(Qt::WA_DeleteOnClose);
    schedule_ = window;
    parentDialogsTo(window);
    window->show();
    return true;
}

bool MainWindow::openStatement() {
    auto* window = new StatementWindow(
        model_.state(), dialogs_,
        yearend::StatementSettings{model_.roundingMode(), schedule::systemCalendarYear()}, this,
        &printDevice_);
    window->setAttribute(Qt::WA_DeleteOnClose);
    statement_ = window;
    parentDialogsTo(window);
    window->show();
    return true;
}

void MainWindow::unloadStatement() {
    if (statement_ != nullptr) statement_->close();
}

bool MainWindow::openMunicipal() {
    auto* window = new MunicipalWindow(model_.state(), dialogs_, yearend::MunicipalClock{}, this,
                                       &printDevice_);
    window->setAttribute(Qt::WA_DeleteOnClose);
    municipal_ = window;
    parentDialogsTo(window);
    window->show();
    return true;
}

void MainWindow::unloadMunicipal() {
    if (municipal_ != nullptr) municipal_->close();
}

void MainWindow::unloadSchedule() {
    if (schedule_ != nullptr) schedule_->close();
}

void MainWindow::showMain() {
    parentDialogsTo(this);
    sync();
    show();
}

void MainWindow::rebuildList() {
    model_.rebuildList();
    sync();
}

void MainWindow::parentDialogsTo(QWidget* window) {
    if (auto* qt = dynamic_cast<platform::qt::QtDialogs*>(&dialogs_)) qt->setParentWidget(window);
}

void MainWindow::quit() { close(); }

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program, whatever else is open.
    event->accept();
    QCoreApplication::quit();
}

}  // namespace fenmark::ui
