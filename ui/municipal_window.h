#pragma once
// The window 「償却資産申告」 on screen: the view of
// yearend::MunicipalWindowModel. The boxes and buttons stand in a row at the
// top, the 種類別明細書 and the assets not declared share a tab widget, and
// the 申告書's table and the tax lines lie under them. Every widget carries
// its control's name as objectName; every user action goes to the model and
// the window then copies the model's state back.
//
// Closing the window in any way runs the model's unload(), which shows the
// opener again; "閉じる" asks the host to close the window.
//
//   auto* window = new MunicipalWindow(state, dialogs, {}, host, &printDevice);
//   window->setAttribute(Qt::WA_DeleteOnClose);
//   window->show();

#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "platform/printer.h"
#include "register/state.h"
#include "yearend/municipal_window.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace fenmark::platform::qt {
class GridTableModel;
class GridTableView;
}  // namespace fenmark::platform::qt

namespace fenmark::ui {

class MunicipalWindow : public QWidget {
    Q_OBJECT

  public:
    // Runs the model's Form_Load (the proposed year shown at once) and
    // opens as large as the screen allows up to its design size.
    MunicipalWindow(const reg::ProgramState& state, platform::Dialogs& dialogs,
                    yearend::MunicipalClock clock, yearend::MunicipalWindowHost* host,
                    platform::PrintDevice* printDevice = nullptr, QWidget* parent = nullptr);

    [[nodiscard]] yearend::MunicipalWindowModel& model() { return model_; }

    // Copies the model's state into every widget.
    void sync();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void click(const std::string& name);
    QLabel* addLabel(platform::Control& control);
    QPushButton* addButton(platform::Control& control);
    platform::qt::GridTableView* addGrid(const platform::Grid& grid, const char* name,
                                         platform::qt::GridTableModel*& model);
    void fitToScreen();

    yearend::MunicipalWindowModel model_;
    std::vector<std::pair<platform::Control*, QLabel*>> labels_;
    std::vector<std::pair<platform::Control*, QPushButton*>> buttons_;
    QLineEdit* txtYear_ = nullptr;
    QLineEdit* txtRate_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QWidget* lastYearSwatch_ = nullptr;
    QWidget* removedSwatch_ = nullptr;
    platform::qt::GridTableView* fxg_ = nullptr;
    platform::qt::GridTableModel* fxgModel_ = nullptr;
    platform::qt::GridTableView* fxgKinds_ = nullptr;
    platform::qt::GridTableModel* fxgKindsModel_ = nullptr;
    platform::qt::GridTableView* fxgExcluded_ = nullptr;
    platform::qt::GridTableModel* fxgExcludedModel_ = nullptr;
    bool columnsFitted_ = false;
};

}  // namespace fenmark::ui
