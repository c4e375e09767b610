#pragma once
// Dialog layouts: Qt Designer files compiled into the program as Qt resources,
// found by the layout name the dialogs use. The name "VxStatLU/diaAwLU" is the
// resource ":/VxStatLU/diaAwLU.ui"; names are case-exact. A library that brings
// layouts lists them in a .qrc file, for example
//     <qresource prefix="/VxStatLU"><file>diaAwLU.ui</file></qresource>
#include "host/CString.h"

#include <QString>

class QWidget;

QString LayoutResourcePath(const CString& strName);
// The layout's root widget, created as a child of pParent; nullptr with a German
// reason in strError when the layout is missing or cannot be read.
QWidget* LoadLayout(const CString& strName, QWidget* pParent, CString& strError);
