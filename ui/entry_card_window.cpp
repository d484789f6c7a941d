#include "ui/entry_card_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <functional>

#include "law/useful_life.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_dialogs.h"
#include "ui/line_breaks.h"
#include "ui/main_window.h"
#include "ui/mirror.h"

namespace fenmark::ui {

namespace {

// The type list tells the card when it is about to open.
class DropDownComboBox : public QComboBox {
  public:
    using QComboBox::QComboBox;
    std::function<void()> aboutToDropDown;

    void showPopup() override {
        if (aboutToDropDown) aboutToDropDown();
        QComboBox::showPopup();
    }
};

// A caption with a run of blanks in which its box stands, as in
// "残存割合：　　　　　％".
class BoxInCaption : public QWidget {
  public:
    BoxInCaption(QLabel* caption, QLineEdit* box, QWidget* parent)
        : QWidget(parent), caption_(caption), box_(box) {
        caption_->setParent(this);
        box_->setParent(this);
        QSizePolicy policy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        policy.setRetainSizeWhenHidden(true);
        setSizePolicy(policy);
    }

    [[nodiscard]] QSize sizeHint() const override {
        const QSize text = caption_->sizeHint();
        return {text.width(), std::max(text.height(), box_->sizeHint().height())};
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        caption_->setGeometry(rect());
        const QString text = caption_->text();
        const qsizetype start = text.indexOf(QChar(0x3000));
        qsizetype end = start;
        while (end >= 0 && end < text.size() && text[end] == QChar(0x3000)) ++end;
        if (start < 0) return;
        const QFontMetrics metrics(caption_->font());
        const int left = metrics.horizontalAdvance(text.left(start));
        const int width = metrics.horizontalAdvance(text.mid(start, end - start));
        box_->setGeometry(left, 0, width, height());
    }

  private:
    QLabel* caption_;
    QLineEdit* box_;
};

bool isNumericBox(const std::string& name) { return name != "txtName"; }

// Focus moves the user makes, as opposed to a message box or a list's popup
// taking the focus for a moment.
bool userMove(Qt::FocusReason reason) {
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason ||
           reason == Qt::OtherFocusReason;
}

}  // namespace

void MainWindowCardHost::ReLoad() {
    main_.model().ReLoad();
    main_.sync();
}

void MainWindowCardHost::ReLoad2() {
    main_.model().ReLoad2();
    main_.sync();
}

void MainWindowCardHost::registerSaved() {
    main_.model().registerSaved();
    main_.sync();
}

void MainWindowCardHost::showMain() {
    main_.show();
    main_.sync();
}

EntryCardWindow::EntryCardWindow(reg::ProgramState& state, platform::Dialogs& dialogs,
                                 std::unique_ptr<card::EntryCardHost> host, QWidget* parent)
    : QWidget(parent, Qt::Window),
      host_(std::move(host)),
      dialogs_(dialogs),
      model_(state, dialogs, *host_) {
    setObjectName(fromUtf8(model_.Caption.name));
    useLifeTable(law::lifeTableFor(platform::programFolder()));
    buildWidgets();
    buildLayout();
    buildTabOrder();
    sync();
}

EntryCardWindow::~EntryCardWindow() {
    // The children outlive the model while QWidget takes them down: their
    // last focus events must not reach it.
    for (QWidget* child : findChildren<QWidget*>()) child->removeEventFilter(this);
}

EntryCardWindow* EntryCardWindow::open(MainWindow& main, reg::ProgramState& state,
                                       platform::Dialogs& dialogs) {
    auto* window = new EntryCardWindow(state, dialogs, std::make_unique<MainWindowCardHost>(main));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->Form_Load();
    window->show();
    window->activateWindow();
    return window;
}

void EntryCardWindow::useLifeTable(std::string path) {
    lifeOpener_ = std::make_unique<LifeDialogOpener>(dialogs_, this, std::move(path));
    model_.setLifeDialogOpener(lifeOpener_.get());
}

void EntryCardWindow::watch(QWidget* widget) { widget->installEventFilter(this); }

void EntryCardWindow::buildWidgets() {
    for (platform::TextBox* box : model_.textBoxes()) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(fromUtf8(box->name));
        if (isNumericBox(box->name)) edit->setInputMethodHints(Qt::ImhPreferNumbers);
        const std::string name = box->name;
        connect(edit, &QLineEdit::textEdited, this, [this, name](const QString& text) {
            model_.setText(name, text.toStdString());
            afterEvent();
        });
        watch(edit);
        edits_.emplace_back(box, edit);
    }
    for (platform::Control* control : model_.labels()) {
        auto* label = new QLabel(this);
        label->setObjectName(fromUtf8(control->name));
        labels_.emplace_back(control, label);
    }
    for (platform::Control* value :
         {&model_.Label14, &model_.lblYmd, &model_.Label24, &model_.lblRate, &model_.lblRate2}) {
        for (auto& [control, label] : labels_) {
            if (control != value) continue;
            label->setFrameShape(QFrame::StyledPanel);
            label->setFrameShadow(QFrame::Sunken);
            label->setMinimumWidth(
                label->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00")) + 8);
        }
    }
    for (platform::ComboBox* list : model_.comboBoxes()) {
        auto* combo = new DropDownComboBox(this);
        combo->setObjectName(fromUtf8(list->name));
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        const std::string name = list->name;
        if (list == &model_.cboBunrui) {
            combo->aboutToDropDown = [this] {
                model_.cboBunrui_DropDown();
                afterEvent();
            };
        }
        connect(combo, &QComboBox::activated, this, [this, name](int index) {
            model_.select(name, index);
            afterEvent();
        });
        watch(combo);
        combos_.emplace_back(list, combo);
    }
    fraMeth_ = new QGroupBox(this);
    fraMeth_->setObjectName(fromUtf8(model_.fraMeth.name));
    for (card::OptionButton* option : model_.options()) {
        auto* radio = new QRadioButton(fraMeth_);
        radio->setObjectName(fromUtf8(option->name));
        // The card decides which option is selected, none included.
        radio->setAutoExclusive(false);
        const std::string name = option->name;
        connect(radio, &QRadioButton::clicked, this, [this, name] {
            model_.clickOption(name);
            afterEvent();
        });
        watch(radio);
        options_.emplace_back(option, radio);
    }
    fraKuri_ = new QGroupBox(this);
    fraKuri_->setObjectName(fromUtf8(model_.fraKuri.name));
    for (card::CheckBox* box : model_.checkBoxes()) {
        auto* check = new QCheckBox(this);
        check->setObjectName(fromUtf8(box->name));
        const std::string name = box->name;
        connect(check, &QCheckBox::clicked, this, [this, name](bool checked) {
            model_.setChecked(name, checked);
            afterEvent();
        });
        watch(check);
        checks_.emplace_back(box, check);
    }
    for (platform::Control* control : model_.buttons()) {
        auto* button = new QPushButton(this);
        button->setObjectName(fromUtf8(control->name));
        button->setAutoDefault(false);
        const std::string name = control->name;
        connect(button, &QPushButton::clicked, this, [this, name] {
            model_.click(name);
            afterEvent();
        });
        watch(button);
        buttons_.emplace_back(control, button);
    }
}

QWidget* EntryCardWindow::widgetNamed(const std::string& name) const {
    return findChild<QWidget*>(fromUtf8(name));
}

void EntryCardWindow::buildLayout() {
    const auto w = [this](const char* name) { return widgetNamed(name); };
    const auto row = [&](std::initializer_list<const char*> names, bool stretch = true) {
        auto* line = new QHBoxLayout;
        line->setSpacing(6);
        for (const char* name : names) {
            if (name[0] == '\0') {
                line->addSpacing(18);
            } else {
                line->addWidget(w(name));
            }
        }
        if (stretch) line->addStretch(1);
        return line;
    };
    const auto keepPlace = [&](const char* name) {
        QWidget* widget = w(name);
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    };
    for (const char* name : {"txtTnen2", "lblRate2", "cmdConv"}) keepPlace(name);

    for (const char* name : {"txtYear", "txtSuu", "txtTnen", "txtTnen2", "txtWari"}) {
        w(name)->setFixedWidth(w(name)->fontMetrics().horizontalAdvance(QStringLiteral("00000")) +
                               16);
    }
    w("txtPrice")
        ->setFixedWidth(
            w("txtPrice")->fontMetrics().horizontalAdvance(QStringLiteral("0000000000000")) + 16);
    w("txtName")->setMinimumWidth(
        w("txtName")->fontMetrics().horizontalAdvance(QString(20, QChar(0x8cc7))));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    int r = 0;
    grid->addWidget(w("lblCapName"), r, 0);
    auto* nameLine = row({"txtName", "", "lblCapCode", "Label14"}, false);
    nameLine->setStretch(0, 1);
    grid->addLayout(nameLine, r++, 1);
    grid->addWidget(w("lblCapType"), r, 0);
    grid->addLayout(row({"cboBunrui"}), r++, 1);
    grid->addWidget(w("lblCapDate"), r, 0);
    grid->addLayout(row({"cboReki", "txtYear", "lblCapYearUnit", "Combo1", "lblCapMonthUnit", "",
                         "lblCapWestern", "lblYmd", "lblCapWesternEnd"}),
                    r++, 1);
    grid->addWidget(w("lblCapSuu"), r, 0);
    grid->addLayout(row({"txtSuu", "lblCapSuuUnit"}), r++, 1);
    grid->addWidget(w("lblCapPrice"), r, 0);
    grid->addLayout(row({"txtPrice", "lblCapPriceUnit", "", "lblCapGrouped", "Label24"}), r++, 1);
    grid->addWidget(w("lblCapTnen"), r, 0);
    // 中古 stands by the table of useful lives, whose used-asset life ticks it.
    grid->addLayout(
        row({"txtTnen", "lblCapTnenUnit", "cmdLife", "chkChuko", "", "lblCapRate", "lblRate"}), r++,
        1);
    auto* note = qobject_cast<QLabel*>(w("lblTnenNote"));
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note->setMinimumHeight(note->fontMetrics().lineSpacing() * 2 + 4);
    grid->addWidget(w("lblTnenNote"), r++, 1);
    grid->addWidget(w("lblCapTnen2"), r, 0);
    grid->addLayout(row({"txtTnen2", "lblCapTnen2Unit", "", "lblCapRate2", "lblRate2"}), r++, 1);
    grid->addWidget(w("lblCapWari"), r, 0);
    grid->addLayout(row({"txtWari", "lblCapWariUnit"}), r++, 1);

    auto* residual = new BoxInCaption(qobject_cast<QLabel*>(w("lblCapZanwari")),
                                      qobject_cast<QLineEdit*>(w("txtZanwari")), this);
    auto* limit = new BoxInCaption(qobject_cast<QLabel*>(w("lblCapGendo")),
                                   qobject_cast<QLineEdit*>(w("txtGendo")), this);
    auto* optional = new QHBoxLayout;
    optional->addWidget(residual);
    optional->addSpacing(24);
    optional->addWidget(limit);
    optional->addStretch(1);
    grid->addLayout(optional, r++, 0, 1, 2);

    auto* methods = new QHBoxLayout(fraMeth_);
    for (auto& [option, radio] : options_) methods->addWidget(radio);
    methods->addStretch(1);
    grid->addWidget(fraMeth_, r++, 0, 1, 2);

    // The day the asset leaves the business.
    for (const char* name : {"txtJyoYear"}) {
        w(name)->setFixedWidth(w(name)->fontMetrics().horizontalAdvance(QStringLiteral("00000")) +
                               16);
    }
    w("txtJyoPrice")
        ->setFixedWidth(
            w("txtJyoPrice")->fontMetrics().horizontalAdvance(QStringLiteral("0000000000000")) +
            16);
    // The month business use began, and what the private years took.
    w("txtGyoYear")
        ->setFixedWidth(w("txtGyoYear")->fontMetrics().horizontalAdvance(QStringLiteral("00000")) +
                        16);
    const auto wrapped = [&](const char* name, int lines) {
        auto* label = qobject_cast<QLabel*>(w(name));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setMinimumHeight(label->fontMetrics().lineSpacing() * lines + 4);
        return label;
    };
    grid->addWidget(w("lblCapGyo"), r, 0);
    grid->addLayout(row({"cboGyoReki", "txtGyoYear", "lblCapGyoYearUnit", "cboGyoMonth",
                         "lblCapGyoMonthUnit", "", "lblCapGyoHint"}),
                    r++, 1);
    grid->addWidget(wrapped("lblGyoNote", 2), r++, 1);

    // The opening carried in from last year's return.
    w("txtKuriYear")
        ->setFixedWidth(w("txtKuriYear")->fontMetrics().horizontalAdvance(QStringLiteral("00000")) +
                        16);
    for (const char* name : {"txtKuriZan", "txtKuriKaitei"}) {
        w(name)->setFixedWidth(
            w(name)->fontMetrics().horizontalAdvance(QStringLiteral("0000000000000")) + 16);
    }
    auto* carried = new QVBoxLayout(fraKuri_);
    carried->setSpacing(6);
    auto* carriedLines = new QGridLayout;
    carriedLines->setHorizontalSpacing(6);
    carriedLines->addWidget(w("lblCapKuriYear"), 0, 0);
    carriedLines->addLayout(row({"cboKuriReki", "txtKuriYear", "lblCapKuriYearUnit"}), 0, 1);
    // Column 2 keeps the year apart from the book value.
    carriedLines->setColumnMinimumWidth(2, 12);
    carriedLines->addWidget(w("lblCapKuriZan"), 0, 3);
    carriedLines->addLayout(row({"txtKuriZan", "lblCapKuriZanUnit"}), 0, 4);
    carriedLines->addWidget(w("lblCapKuriKaitei"), 1, 3);
    carriedLines->addLayout(row({"txtKuriKaitei", "lblCapKuriKaiteiUnit"}), 1, 4);
    carriedLines->addWidget(w("chkKuriCalc"), 1, 0, 1, 2);
    carriedLines->setColumnStretch(5, 1);
    carried->addLayout(carriedLines);
    carried->addWidget(wrapped("lblKuriNote", 2));
    grid->addWidget(fraKuri_, r++, 0, 1, 2);

    grid->addWidget(w("lblCapJyo"), r, 0);
    grid->addLayout(
        row({"cboJyo", "", "cboJyoReki", "txtJyoYear", "lblCapJyoYearUnit", "cboJyoMonth",
             "lblCapJyoMonthUnit", "", "lblCapJyoPrice", "txtJyoPrice", "lblCapJyoPriceUnit"}),
        r++, 1);
    grid->addWidget(w("lblJyoNote"), r++, 1);

    // The kind the January return declares the asset as. The note on where
    // the kind came from wraps beside the list, which stands level with its
    // lines, so that the card keeps to the smallest screen.
    auto* kindNote = qobject_cast<QLabel*>(w("lblShisanNote"));
    kindNote->setWordWrap(true);
    kindNote->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(w("lblCapShisan"), r, 0);
    auto* kindLine = row({"cboShisan", "", "lblShisanNote"}, false);
    kindLine->setStretch(2, 1);
    grid->addLayout(kindLine, r++, 1);

    auto* paging = row({"cmdRR", "cmdRew", "lblNum", "cmdFor", "cmdFF", "", "Command1"});
    qobject_cast<QLabel*>(w("lblNum"))->setAlignment(Qt::AlignCenter);
    w("lblNum")->setMinimumWidth(
        w("lblNum")->fontMetrics().horizontalAdvance(QStringLiteral("1000/新規")) + 16);
    auto* commands = row({"cmdRec", "cmdCancel", "cmdConv"});
    commands->addWidget(w("Command2"));

    auto* outer = new QVBoxLayout(this);
    // Margins kept narrow enough for the card with its longest texts to
    // stay within an 800-pixel screen.
    outer->setContentsMargins(18, 12, 18, 12);
    outer->setSpacing(10);
    outer->addLayout(grid);
    outer->addLayout(paging);
    outer->addLayout(commands);
    outer->addStretch(1);

    // The hidden working fields stay out of the layout, out of sight and out
    // of the tab chain.
    for (const char* name : {"txtMonth", "txtDay", "Text1", "Text2", "Text3", "Text5", "Text6"}) {
        w(name)->setFocusPolicy(Qt::NoFocus);
        w(name)->hide();
    }
}

void EntryCardWindow::buildTabOrder() {
    // The fields in the order the page is checked, the method, then the
    // buttons: Enter and Tab walk the page as it is filled in.
    const char* order[] = {
        "txtName",       "cboBunrui",   "cboReki",     "txtYear",     "Combo1",      "txtSuu",
        "txtPrice",      "txtTnen",     "cmdLife",     "chkChuko",    "txtTnen2",    "txtWari",
        "txtZanwari",    "txtGendo",    "optGaku",     "optRitu",     "optToku",     "optSyou",
        "cboGyoReki",    "txtGyoYear",  "cboGyoMonth", "cboKuriReki", "txtKuriYear", "txtKuriZan",
        "txtKuriKaitei", "chkKuriCalc", "cboJyo",      "cboJyoReki",  "txtJyoYear",  "cboJyoMonth",
        "txtJyoPrice",   "cboShisan",   "cmdRec",      "cmdFor",      "cmdRew",      "cmdRR",
        "cmdFF",         "Command1",    "cmdCancel",   "cmdConv",     "Command2"};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(widgetNamed(order[i - 1]), widgetNamed(order[i]));
    }
}

void EntryCardWindow::centreOnScreen() {
    const QScreen* screen =
        this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    adjustSize();
    const QRect area = screen->availableGeometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

void EntryCardWindow::Form_Load() {
    centreOnScreen();
    model_.Form_Load();
    sync();
}

void EntryCardWindow::sync() {
    const QScopedValueRollback guard(syncing_, true);
    setWindowTitle(fromUtf8(model_.Caption.caption));
    for (auto& [box, edit] : edits_) mirror(*box, edit);
    for (auto& [control, label] : labels_) {
        mirror(*control, label);
        if (label->wordWrap()) label->setText(keepPhrases(label->text()));
    }
    for (auto& [list, combo] : combos_) {
        const QSignalBlocker blocker(combo);
        QStringList items;
        for (const std::string& item : list->items) items << fromUtf8(item);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
        if (items != shown) {
            combo->clear();
            combo->addItems(items);
        }
        combo->setCurrentIndex(list->listIndex);
        combo->setEnabled(list->enabled);
        combo->setVisible(list->visible);
    }
    fraMeth_->setTitle(fromUtf8(model_.fraMeth.caption));
    fraMeth_->setEnabled(model_.fraMeth.enabled);
    for (auto& [option, radio] : options_) {
        const QSignalBlocker blocker(radio);
        radio->setText(fromUtf8(option->caption));
        radio->setChecked(option->value);
        radio->setEnabled(option->enabled);
        radio->setVisible(option->visible);
    }
    fraKuri_->setTitle(fromUtf8(model_.fraKuri.caption));
    fraKuri_->setEnabled(model_.fraKuri.enabled);
    for (auto& [box, check] : checks_) {
        const QSignalBlocker blocker(check);
        check->setText(fromUtf8(box->caption));
        check->setChecked(box->value);
        check->setEnabled(box->enabled);
        check->setVisible(box->visible);
    }
    for (auto& [control, button] : buttons_) mirror(*control, button);
    fitHeightToWrappedTexts(*this);
    applyFocus();
}

void EntryCardWindow::applyFocus() {
    if (model_.focusRequests == appliedFocusRequests_) return;
    appliedFocusRequests_ = model_.focusRequests;
    QWidget* target = nullptr;
    if (model_.focusedControl == model_.fraMeth.name) {
        // The frame itself takes no focus: its first option that can does.
        for (auto& [option, radio] : options_) {
            if (option->enabled && option->visible) {
                target = radio;
                break;
            }
        }
    } else {
        target = widgetNamed(model_.focusedControl);
    }
    if (target == nullptr || !target->isEnabled() || target->isHidden()) return;
    target->setFocus(Qt::OtherFocusReason);
    // A box the card sends the user back to is ready to be typed over.
    if (auto* edit = qobject_cast<QLineEdit*>(target)) edit->selectAll();
}

void EntryCardWindow::afterEvent() {
    sync();
    if (model_.unloaded) close();
}

void EntryCardWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Messages stand over the card while it is open.
    if (auto* qtDialogs = dynamic_cast<platform::qt::QtDialogs*>(&dialogs_)) {
        if (qtDialogs->parentWidget() != this) {
            previousDialogParent_ = qtDialogs->parentWidget();
            qtDialogs->setParentWidget(this);
        }
    }
}

void EntryCardWindow::closeEvent(QCloseEvent* event) {
    if (!model_.unloaded && !model_.Form_Unload()) {
        sync();
        event->ignore();
        return;
    }
    if (auto* qtDialogs = dynamic_cast<platform::qt::QtDialogs*>(&dialogs_)) {
        if (previousDialogParent_ != nullptr && qtDialogs->parentWidget() == this) {
            qtDialogs->setParentWidget(previousDialogParent_);
        }
    }
    event->accept();
}

bool EntryCardWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) return QWidget::eventFilter(watched, event);
    const std::string name = widget->objectName().toStdString();
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
            if (enter && plain) {
                if (auto* button = qobject_cast<QPushButton*>(widget)) {
                    button->click();
                    return true;
                }
                auto* combo = qobject_cast<QComboBox*>(widget);
                if (combo != nullptr && combo->view() != nullptr && combo->view()->isVisible()) {
                    break;
                }
                focusNextChild();
                // Enter walks the fields as they are filled in; the table
                // beside the life and 中古 are Tab's (and the mouse's) to
                // reach.
                for (const std::string* skipped : {&model_.cmdLife.name, &model_.chkChuko.name}) {
                    if (QApplication::focusWidget() == widgetNamed(*skipped)) focusNextChild();
                }
                return true;
            }
            if (!key->text().isEmpty() && !model_.keyAccepted(name, key->text().toStdString())) {
                return true;
            }
            break;
        }
        case QEvent::FocusOut:
            if (!syncing_ && userMove(static_cast<QFocusEvent*>(event)->reason())) {
                model_.lostFocus(name);
                sync();
            }
            break;
        case QEvent::FocusIn:
            if (!syncing_ && userMove(static_cast<QFocusEvent*>(event)->reason())) {
                model_.gotFocus(name);
            }
            break;
        case QEvent::MouseButtonRelease:
            if (name == model_.txtTnen.name) {
                model_.txtTnen_Click();
                sync();
            }
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace fenmark::ui
