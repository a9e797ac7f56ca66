// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "app/programversion.h"
#include "app/startup.h"
#include "app/workingfolder.h"
#include "data/collectionrun.h"
#include "data/storelock.h"
#include "device/ui/factorysetupdlg.h"
#include "platform/platform.h"
#include "platform/systemservices.h"
#include "update/updaterimage.h"
#include "widgets/firstframe.h"
#include "window/startupoptions.h"
#include "window/startupview.h"
#include "window/windowshot.h"
#include "window/wristbanddlg.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

namespace {

// Long enough for the layout, the first clock tick and the discovery half a second after
// opening, so the picture shows the window as a person would first see it.
constexpr int ScreenshotDelayMs = 800;

void PrintError(const QString& message)
{
    (void)std::fprintf(stderr, "trekkomat: %s\n", qUtf8Printable(message));
}

} // namespace

int main(int argc, char** argv)
{
    const bool headless = trek::ShouldRunHeadless();
    if (headless) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("trekkomat"));
    // The installed desktop entry's name: Wayland desktops find the window's icon through it.
    QApplication::setDesktopFileName(QStringLiteral("com.example.Trekkomat"));

    auto options = trek::ParseStartupOptions(QApplication::arguments());
    if (!options) {
        PrintError(options.error());
        return 2;
    }
    if (!options->helpText.isEmpty()) {
        (void)std::fputs(qUtf8Printable(options->helpText), stdout);
        return 0;
    }
    if (options->version) {
        (void)std::puts(qUtf8Printable(trek::VersionLine()));
        return 0;
    }
    if (headless && options->screenshotPath.isEmpty()) {
        options->screenshotPath = trek::HeadlessScreenshotPath();
    }

    auto platform = trek::platform::createPlatform(options->driveOptions,
                                                   trek::platform::createDesktopServices());
    if (!platform) {
        PrintError(platform.error());
        return 2;
    }
    const trek::Result<QString> workingFolder = trek::DefaultWorkingFolder();
    if (!workingFolder) {
        PrintError(workingFolder.error());
        return 1;
    }
    trek::appState().services = (*platform)->services();
    trek::StartUp(*workingFolder);
    // Not fatal here: a collection tells the same reason and reads nothing.
    if (const trek::Result<> prepared = trek::PrepareWorkingFolder(); !prepared) {
        PrintError(prepared.error());
    }
    trek::appState().hooks.collectionRun = [] {
        (void)trek::CollectWristband();
    };

    int result = 0;
    {
        trek::CWristbandDlg::Options windowOptions;
        windowOptions.updateCheckAllowed = options->updateCheck;
        windowOptions.updateProgram = options->updateProgram;
        trek::CWristbandDlg window(windowOptions);
        trek::ApplyStartupView(window, *options);
        if (options->sleepAnalysis) {
            QTimer::singleShot(0, &window, [&window] { trek::OpenStartupSleepAnalysis(window); });
        }
        if (options->trends) {
            QTimer::singleShot(0, &window, [&window] { trek::OpenStartupTrends(window); });
        }
        if (options->factorySetup) {
            QTimer::singleShot(0, &window, [&window] { trek::OpenFactorySetup(&window); });
        }
        if (options->quitAfterFirstFrame) {
            (void)new trek::FirstFrameWatch(window, [&window] {
                trek::PrintFirstFrameStamp();
                window.done(0);
            });
        }
        if (!options->screenshotPath.isEmpty()) {
            const QString path = QFileInfo(options->screenshotPath).absoluteFilePath();
            QTimer::singleShot(ScreenshotDelayMs, &window, [&window, &result, path] {
                // The picture is of what the person looks at: an open dialog, else the window.
                QWidget* shown = QApplication::activeModalWidget();
                QWidget& target = shown != nullptr && shown != &window ? *shown : window;
                const auto saved = trek::SaveWindowShot(target, path);
                if (&target != &window) {
                    target.close();
                }
                if (saved) {
                    (void)std::printf("Picture: %s\n", qUtf8Printable(path));
                    (void)std::fflush(stdout);
                } else {
                    PrintError(path + QStringLiteral(": ") + saved.error());
                    result = 1;
                }
                window.done(0);
                // A closed box may lead to the next (a collection's clock report): those are
                // closed too, so a picture run always ends.
                auto* closer = new QTimer(&window);
                QObject::connect(closer, &QTimer::timeout, &window, [&window] {
                    QWidget* modal = QApplication::activeModalWidget();
                    if (modal != nullptr && modal != &window) {
                        modal->close();
                    }
                });
                closer->start(ScreenshotDelayMs / 8);
            });
        }
        window.exec();
    }
    if (trek::appState().updateReady) {
        const QString program = options->updateProgram.isEmpty()
                                    ? QCoreApplication::applicationFilePath()
                                    : options->updateProgram;
        if (const trek::Result<> handed = trek::HandOverToUpdater(trek::UpdaterImage(), program);
            !handed) {
            PrintError(handed.error());
        }
    }
    trek::appState().services = {};
    return result;
}
