#include "app/BatchQt.h"

#include <QString>
#include <QtGlobal>

#include <cstdlib>

namespace {

QtMessageHandler g_previousHandler = nullptr;

void OhneFensterNotizen(QtMsgType type, const QMessageLogContext& context, const QString& strText) {
    if (strText.contains(QLatin1String("propagateSizeHints")) ||
        strText.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    if (g_previousHandler) g_previousHandler(type, context, strText);
}

} // namespace

void PrepareBatchQt() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static bool bInstalled = false;
    if (bInstalled) return;
    bInstalled = true;
    g_previousHandler = qInstallMessageHandler(OhneFensterNotizen);
}
