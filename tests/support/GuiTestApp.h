#pragma once
// The QApplication of a GUI test executable and the screenshots of its dialogs.
// The application is created on first use, offscreen unless the environment
// chose a platform, and lives until the process ends.
#include <QApplication>
#include <QDir>
#include <QString>
#include <QWidget>

#ifndef VX_SCREENSHOT_DIR
#define VX_SCREENSHOT_DIR "screenshots"
#endif

inline QApplication& GuiTestApp() {
    if (auto* pApp = qobject_cast<QApplication*>(QCoreApplication::instance())) return *pApp;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char szName[] = "vxstat-test";
    static char* argv[] = {szName, nullptr};
    // The offscreen platform says so about every window; nothing to act on.
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& strText) {
            if (previous && !strText.contains(QLatin1String("propagateSizeHints")))
                previous(type, context, strText);
        });
    return *new QApplication(argc,
                             argv); // never deleted: widgets of static objects may outlive main
}

// Saves the widget as "<name>.png" under the build folder; returns the path, or "" on failure.
inline QString SaveScreenshot(QWidget& widget, const QString& strName) {
    const QString strDir = QStringLiteral(VX_SCREENSHOT_DIR);
    QDir().mkpath(strDir);
    const QString strPath = strDir + QLatin1Char('/') + strName + QStringLiteral(".png");
    return widget.grab().save(strPath) ? strPath : QString();
}
