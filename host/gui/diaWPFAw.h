#pragma once
// Base of the evaluation dialogs: the host accumulator of the run, the
// practice-owner and technician lists with their combo-box matrices, the names
// from the practice database, and the currency of the amounts.
#include "host/CString.h"
#include "host/gui/WPFMatrix.h"
#include "host/gui/WPFVxDialog.h"

#include <map>
#include <vector>

class CStatAccu;
class CWPFTKLComboBox;

class CdiaWPFAw : public CWPFVxDialog {
public:
    CdiaWPFAw(const CString& strLayout, CStatAccu* pAccu, CWnd* pParent);

    // Reads the valid technicians from the practice database when the
    // accumulator brought none.
    QWidget* OnInitDialog() override;
    // Ctrl+N: fits the list columns to their content again (after new settings).
    void OnCTRL_N() override;
    virtual CString GetAktuellePatNr() { return {}; }
    virtual void ShowTitel() {}

    // Owner matrix rows: id, display text "Name (id)". Several owners and no
    // chosen one (strMandant "") give a first row ("", "Alle Mandanten"). Selects
    // the chosen owner, else the first row.
    void FillMandant(const std::vector<CString>& vecMandanten, const CString& strMandant,
                     CWPFMatrix<2>& matrix, CWPFTKLComboBox& comboBox);
    // Technician matrix rows: id, name, "(id)" (bind with BindMatrix2(matrix, 1, 2)).
    // bMitAlle puts ("", "Alle Techniker", "") first and selects it; otherwise
    // nothing is selected and the box says "Alle Techniker".
    void FillLeb(const std::vector<CString>& vecNamen, const std::vector<CString>& vecIds,
                 CWPFMatrix<3>& matrix, CWPFTKLComboBox& comboBox, bool bMitAlle);
    // "Name, Vorname" of a service provider; "" when the database has no such id.
    CString GetLebName(const CString& strLebId);
    CString GetMandantName(const CString& strMdId); // "" when unknown

    // "DM" when the currency mark is a blank, else the euro sign (Windows-1252).
    CString GetWaehrungText() const;

    CStatAccu* m_pAccu;
    std::vector<CString> m_vecMandanten;    // owner ids of the run
    std::vector<CString> m_vecTechniker;    // technician names
    std::vector<CString> m_vecTechnikerIds; // their ids, same order
    CWPFMatrix<2> m_matMandant;
    CWPFMatrix<3> m_matLeb;
    bool m_bBusy = false;   // handlers ignore events while set
    int m_nSelectedTab = 0; // the view tab shown
    // ' ' for Deutsche Mark, 'e' for euro: DM when the period ends before 2002.
    char m_cWaehrung;

protected:
    // Print, mark all, close; the layouts list the others they offer.
    std::vector<int> DefaultHostButtons() const override;

private:
    void ReadValidTechniker();

    std::map<CString, CString> m_mapLebNamen; // looked up once per id
};
