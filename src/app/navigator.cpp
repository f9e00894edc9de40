#include "app/navigator.h"

#include "app/checkp.h"
#include "app/configuration.h"
#include "app/form2.h"
#include "compiler/interruptedcompile.h"
#include "flight/b747.h"
#include "ui/centring.h"
#include "ui/messages.h"

#include <cstdio>

namespace app {

Navigator::Navigator() = default;
Navigator::~Navigator() = default;

bool Navigator::start() {
    const StartupConfiguration startup = readStartupConfiguration();
    if (!startup.savedFlightFolder) {
        std::fprintf(stderr, "%s\n", qPrintable(startup.failure));
        ui::showMessage(startup.failure);
        return false;
    }
    SavedFlightFolder = *startup.savedFlightFolder;
    if (SavedFlightFolder != QLatin1String(kNoFolderMarker)) {
        // A compile that was interrupted is finished or undone before anything else.
        if (const std::optional<QString> recovered =
                compiler::recoverInterruptedCompileAtStart(SavedFlightFolder)) {
            ui::showMessage(*recovered);
        }
        showMainInterface();
        return true;
    }
    checkp_ = std::make_unique<Checkp>();
    connect(checkp_.get(), &Checkp::folderAccepted, this, [this](const QString& folder) {
        SavedFlightFolder = folder;
        checkp_->hide();
        showMainInterface();
    });
    connect(checkp_.get(), &Checkp::fatalError, this, &Navigator::fail);
    connect(checkp_.get(), &Checkp::exitRequested, this, [this] { Q_EMIT finished(0); });
    checkp_->showFolderChoice();
    ui::centreOnScreen(checkp_.get());
    checkp_->show();
    return true;
}

void Navigator::fail(const QString& report) {
    std::fprintf(stderr, "%s\n", qPrintable(report));
    ui::showMessage(report);
    Q_EMIT finished(1);
}

void Navigator::showMainInterface() {
    if (!form2_) {
        form2_ = std::make_unique<Form2>(SavedFlightFolder);
        connect(form2_.get(), &Form2::compilerRequested, this, &Navigator::showCompilerWindow);
        connect(form2_.get(), &Form2::exitRequested, this, [this] { Q_EMIT finished(0); });
    }
    if (b747_) {
        b747_->hide();
    }
    form2_->show();
}

void Navigator::showCompilerWindow() {
    if (!b747_) {
        b747_ = std::make_unique<flight::B747>(SavedFlightFolder);
        connect(b747_.get(), &flight::B747::mainInterfaceRequested, this,
                &Navigator::showMainInterface);
        connect(b747_.get(), &flight::B747::exitRequested, this, [this] { Q_EMIT finished(0); });
        // The load runs before the window first shows; its messages come first.
        b747_->Form_Load();
        ui::centreOnScreen(b747_.get());
    }
    b747_->show();
    form2_->hide();
}

} // namespace app
