#include "dialog/Format2Nk.h"

CString Format2Nk(const CDBetrag& betrag, char cWaehrung) {
    return betrag.ToW(cWaehrung).ToExt(0, false);
}

CString Format2Nk(const CDBetrag& betrag, STORNOTYP nTyp, char cWaehrung) {
    if (betrag.IsZero()) return {};
    switch (nTyp) {
    case kStornoDavor:
        return Format2Nk(-betrag, cWaehrung);
    case kStornoImZeitraum:
        return "(" + Format2Nk(betrag, cWaehrung) + ")";
    case kStornoDanach:
        return Format2Nk(betrag, cWaehrung);
    default:
        return {};
    }
}
