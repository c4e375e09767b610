#pragma once
// Binds a member function of a dialog as an event handler, guarded by
// CWPFEventHandler::ExceptionFilter:
//     m_lvListe.AddClickHandler(CWPFEventCall(this, &CdiaAwGlab::OnClickErgebnis));
#include "host/gui/WPFEventHandler.h"
#include "host/gui/WPFRoutedEvent.h"

template <class TDialog, class TEvent = CWPFRoutedEvent> class CWPFEventCall {
public:
    CWPFEventCall(TDialog* pDialog, void (TDialog::*pfnHandler)(TEvent&))
        : m_pDialog(pDialog), m_pfnHandler(pfnHandler) {}

    void operator()(TEvent& event) const {
        CWPFEventHandler::ExceptionFilter([&] { (m_pDialog->*m_pfnHandler)(event); });
    }

private:
    TDialog* m_pDialog;
    void (TDialog::*m_pfnHandler)(TEvent&);
};
