#include "host/gui/LayoutLoader.h"

#include "host/Cp1252.h"
#include "host/gui/QtText.h"

#include <QFile>
#include <QUiLoader>
#include <QWidget>

QString LayoutResourcePath(const CString& strName) {
    return QStringLiteral(":/") + ToQString(strName) + QStringLiteral(".ui");
}

QWidget* LoadLayout(const CString& strName, QWidget* pParent, CString& strError) {
    QFile file(LayoutResourcePath(strName));
    if (!file.open(QIODevice::ReadOnly)) {
        strError = Utf8ToCp1252("Die Dialogvorlage \"") + strName + "\" ist nicht vorhanden.";
        return nullptr;
    }
    QUiLoader loader;
    QWidget* pRoot = loader.load(&file, pParent);
    if (!pRoot) {
        strError = Utf8ToCp1252("Die Dialogvorlage \"") + strName +
                   Utf8ToCp1252("\" kann nicht gelesen werden: ") +
                   FromQString(loader.errorString());
    }
    return pRoot;
}
