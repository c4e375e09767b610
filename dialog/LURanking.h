#pragma once
// The technician ranking of the lab-turnover dialog: the valid technicians ranked
// by the technical services of their lab invoices, and under each technician the
// treating dentists whose patients those invoices belong to. The result goes into
// the two data tables "Ranking1" and "Ranking2" that the grid, the print and the
// spreadsheet export read.
#include "core/LULabRech.h"
#include "host/Betrag.h"

#include <functional>
#include <vector>

class CWPFDataTable;

// One valid technician from the technician master records.
struct StructLeb {
    CString m_strLebId;  // invoices belong to him when their technician id equals it exactly
    CString m_strLebKey; // technicians sharing it form one ranking entry
};

// A technician entry (with its treaters as details) or a treater entry.
struct StructRanking {
    CString m_strName; // "Name (id)"
    CDBetrag m_SumTechnLst;
    CDBetrag m_SumGesamt;
    CString m_strLebKey;
    CString m_strZaLebId; // the treating dentist
    std::vector<StructRanking> m_vecDetails;
};

// What the ranking asks of the practice database.
struct LURankingQuellen {
    // The treating dentist of an invoice's patient and plan; "" when unreadable.
    std::function<CString(const CString& strPatNr, const CString& strPlanNr)> fnZaLebId;
    // The person's name for an id as the host gives it.
    std::function<CString(const CString& strLebId)> fnLebName;
};

// The amounts an invoice adds to its entries, from its all-amounts block whatever
// its flags say: technical services, and the invoice total.
CDBetrag RankingTechnLst(const CLULabRech& r);
CDBetrag RankingGesamt(const CLULabRech& r);

// "Name (id)", the id without its leading blanks.
CString RankingName(const CString& strName, const CString& strLebId);

// Index of the first entry with the key's technician key (and, with bMitBehandler,
// its treater); -1 when there is none.
int FindRanking(const std::vector<StructRanking>& vecRanking, const StructRanking& key,
                bool bMitBehandler);

// Builds the ranking of the invoices of the given technicians, sorted descending by
// technical services (ties keep the order of creation), and adds the technical
// services of every counted invoice to total. Invoices of no valid technician are
// not counted. Each distinct patient and plan is looked up once.
void CalcRanking(const std::vector<StructLeb>& vecLeb, const std::vector<CLULabRech>& vecRecords,
                 const LURankingQuellen& quellen, std::vector<StructRanking>& vecRanking,
                 CDBetrag& total);

// Fills the emptied tables from a sorted ranking: one "Ranking1" row per technician
// and, tied to it by "Id", one "Ranking2" row per treater. Both tables have the
// columns "Id", "Folge", "Name", "TechnLst", "Labor", "Gesamt", "Proz".
void FillRankingTables(const std::vector<StructRanking>& vecRanking, const CDBetrag& total,
                       CWPFDataTable& ranking1, CWPFDataTable& ranking2);

// A share in percent with a point and two decimals ("12.50"); "" unless the whole
// is positive.
CString RankingProzent(const CDBetrag& teil, const CDBetrag& ganzes);
